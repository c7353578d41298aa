// Where the database engine's archive goes on a fresh installation. An engine already
// installed is never overwritten (an old one is only warned about); without one, the
// engine gets its folder under Program Files, created level by level.
//
// An engine counts as installed when its settings key exists and its library lies where
// the engine's DLLPATH says. A key alone protects nothing: systems create it for old
// programs (Wine does), and removed programs leave it behind; such a machine gets the
// engine unpacked as an empty one does, with a note in the run log.
#pragma once

#include <string>
#include <string_view>

#include "work/Reports.h"

namespace work {

// The whole part of a version text: the digits before the first "." (else ",") taken as
// a number; other characters are not rejected. "3.9" 3, "10.1" 10, "" 0.
int VersionNumber(std::string_view text);

// True when an installed engine's "VERSION" value names an engine older than 4.
bool IsOldEngineVersion(std::string_view version);

// The settings key of an installed engine exists and its library is where DLLPATH says.
bool EngineInstalled();

struct EngineTarget {
    enum Kind { Skip, Extract, Failed } kind = Skip;
    std::string folder;   // Extract: where the archive goes; Failed: the folder not created
};

// The engine check, with its effects: reads the registry, may set `oldEngine`, tells of
// an old engine, creates the engine's folders.
EngineTarget CheckEngine(bool& oldEngine, Reports& reports);

}  // namespace work

// What this run makes, noted by the pages at the moment they make it (a registry or a
// WIN.INI value before it is written, so that what it held before is known), and joined
// to the record in the program folder once the run has installed or upgraded.
#pragma once

#include <optional>
#include <string>

#include "record/InstallRecord.h"
#include "record/RemovalRules.h"

namespace record {

// This run's making so far; empty at start.
InstallRecord& ThisRun();
void ForgetThisRun();

void NoteFile(Belongings& owner, const std::string& path);
void NoteFolder(Belongings& owner, const std::string& path);
// Before `name` of `key` is written: what it holds now, and every level of `key` that
// does not exist yet.
void NoteRegistryValue(Belongings& owner, const std::string& key, const std::string& name);
// Before a WIN.INI value is written.
void NoteProfileValue(const std::string& section, const std::string& key);

// A file's size and CRC-32 as it is now; nothing when it cannot be read.
std::optional<FileFacts> MeasureFile(const std::string& path);

}  // namespace record

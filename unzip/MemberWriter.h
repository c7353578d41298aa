// The member extraction itself, for callers that already hold the engine's busy flag:
// ExtractMember takes the flag for one member, ExtractArchive for its whole walk, so that
// a second extraction started from a message handler is refused before it touches
// anything of the running one.
#pragma once

#include <cstdint>
#include <string>

#include "unzip/Extraction.h"

namespace unzip {

// `central` may be null when the central directory's sizes are not known.
int32_t WriteMember(const std::string& archivePath, const std::string& outputPath,
                    int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId,
                    const CentralSizes* central);

}  // namespace unzip

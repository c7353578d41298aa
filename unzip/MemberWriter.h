// The member extraction itself, for callers that already hold the engine's busy flag:
// ExtractMember takes the flag for one member, ExtractArchive for its whole walk, so that
// a second extraction started from a message handler is refused before it touches
// anything of the running one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"

#include "unzip/Extraction.h"

namespace unzip {

// The archive opened for reading its members (read ahead), or null.
std::unique_ptr<plat::File> OpenArchiveForMembers(const std::string& archivePath);

// `archive` is the archive opened with OpenArchiveForMembers, kept open by a walk over
// many members, or null to open it for this member alone. `central` may be null when the
// central directory's sizes are not known.
int32_t WriteMember(const std::string& archivePath, plat::File* archive,
                    const std::string& outputPath, int32_t headerOffset,
                    NotifyWindow notifyWindow, int32_t notifyId, const CentralSizes* central);

}  // namespace unzip

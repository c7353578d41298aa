// `mkmedia verify MEDIA`: joins the pieces of a floppy set (folders disk1, disk2, ...) or
// of a CD folder exactly as the installer does, and tests every archive, UPGRADE.1
// included, with the installer's own engine. Prints one line per archive.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace mkmedia {

// True when the set is sound: installer set on disk 1, every disk's marker, every
// component's archive present and unpacking whole.
bool VerifyMedia(const std::filesystem::path& media, std::ostream& out);

}  // namespace mkmedia

// `mkmedia verify MEDIA`: joins the pieces of a floppy set (folders disk1, disk2, ...) or
// of a CD folder exactly as the installer does, and tests every archive, UPGRADE.1
// included, with the installer's own engine. Prints one line per archive, then one on
// INSTALL.EXE's signature.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace mkmedia {

// True when the set is sound: installer set on disk 1, every disk's marker, every
// component's archive present and unpacking whole, and INSTALL.EXE unsigned or with a
// signature that verifies. `authority`: as CheckSignature (Signature.h) takes it.
bool VerifyMedia(const std::filesystem::path& media, const std::filesystem::path& authority, std::ostream& out);

}  // namespace mkmedia

// Which existing files a copy replaces (CopyOrder.h says which policy a copy follows).
// The upgrade's rule: program files are replaced except the database engine's own
// (names beginning with IDAPI); data files are replaced only under the folder NEW; files
// that do not exist yet are always written. The decision is made on the member's path
// relative to the target folder, whether or not that folder was given with its final "\".
#pragma once

#include <string>
#include <string_view>

#include "product/Components.h"
#include "work/copy/CopyOrder.h"

namespace work {

// What follows the target folder's own characters in an output path, upper-cased and
// at most 255 characters: "IDAPI32.CFG" after "C:\WINTORV\", "\NEW\DATA\X.DB" after
// "C:\WINTORV". The run log shows this text.
std::string PathRest(std::string_view outputPath, size_t folderLength);

// The upgrade rule's decision for a path rest of a program archive or of a data archive.
bool ShouldReplace(std::string_view rest, bool programArchive);

// Whether the file at `outputPath`, which exists, is replaced by the member of
// `component`'s archive unpacked into `folder`.
bool Replaces(Replacement policy, const product::TCompRecord& component, std::string_view folder,
              std::string_view outputPath);

// The same decision when the engine asks it, about to replace the file: the upgrade rule
// notes "Confirmare pentru: " with the path rest, then "Confirmat" or "NU!!!", in the run
// log.
bool ConfirmReplace(Replacement policy, const product::TCompRecord& component, std::string_view folder,
                    std::string_view outputPath);

}  // namespace work

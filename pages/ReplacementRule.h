// Which existing files an upgrade replaces. Program files are replaced except the
// database engine's own (names beginning with IDAPI); data files are replaced only under
// the folder NEW; files that do not exist yet are always written. The decision is made
// on the member's path relative to the target folder, whether or not that folder was
// given with its final "\".
#pragma once

#include <string>
#include <string_view>

#include "unzip/ExtractReport.h"

namespace pages {

// What follows the target folder's own characters in an output path, upper-cased and
// at most 255 characters: "IDAPI32.CFG" after "C:\WINTORV\", "\NEW\DATA\X.DB" after
// "C:\WINTORV". The run log shows this text.
std::string PathRest(std::string_view outputPath, size_t folderLength);

// The decision for a path rest of a program archive or of a data archive.
bool ShouldReplace(std::string_view rest, bool programArchive);

// The overwrite query of the upgrade copy: set for each archive, then asked by the
// engine for every member whose output file exists. Notes "Confirmare pentru: " with
// the path rest, then "Confirmat" or "NU!!!", in the run log.
class ReplacementRule {
public:
    // `folder` is the archive's target folder as the extraction component holds it.
    void SetTarget(std::string_view folder, bool programArchive);
    bool Query(unzip::ExtractReport* report) const;

private:
    size_t folderLength_ = 0;
    bool programArchive_ = false;
};

}  // namespace pages

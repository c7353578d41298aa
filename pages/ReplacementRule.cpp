#include "pages/ReplacementRule.h"

#include <cstring>

#include "core/Log.h"
#include "platform/Paths.h"

namespace pages {

namespace {

constexpr size_t kRestLimit = 255;
constexpr std::string_view kEngineFiles = "IDAPI";
constexpr std::string_view kReplacedDataFolder = "NEW";

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

}  // namespace

std::string PathRest(std::string_view outputPath, size_t folderLength) {
    if (folderLength >= outputPath.size()) return {};
    return plat::ToUpperAscii(outputPath.substr(folderLength, kRestLimit));
}

bool ShouldReplace(std::string_view rest, bool programArchive) {
    std::string_view relative = rest;
    while (!relative.empty() && plat::IsSeparator(relative.front())) relative.remove_prefix(1);
    if (programArchive) return !StartsWith(relative, kEngineFiles);
    // Data files are replaced only under NEW: the rest after a folder without its "\"
    // begins "\NEW", and the same member after a folder with one begins "NEW".
    return StartsWith(relative, kReplacedDataFolder);
}

void ReplacementRule::SetTarget(std::string_view folder, bool programArchive) {
    // The component keeps its folder text with its terminating NUL; the folder ends there.
    folderLength_ = std::strlen(std::string(folder).c_str());
    programArchive_ = programArchive;
}

bool ReplacementRule::Query(unzip::ExtractReport* report) const {
    const std::string rest = PathRest(report->FileName, folderLength_);
    core::LogNote("Confirmare pentru: " + rest);
    const bool replace = ShouldReplace(rest, programArchive_);
    core::LogNote(replace ? "Confirmat" : "NU!!!");
    return replace;
}

}  // namespace pages

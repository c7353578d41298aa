#include "work/copy/ReplacementRule.h"

#include <cstring>

#include "core/Log.h"
#include "platform/Paths.h"

namespace work {

namespace {

constexpr size_t kRestLimit = 255;
constexpr std::string_view kEngineFiles = "IDAPI";
constexpr std::string_view kReplacedDataFolder = "NEW";

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

bool IsData(const product::TCompRecord& component) {
    return component.Target == product::TargetData || component.Target == product::TargetDataToo;
}

// The folder's own characters: a folder text ends at a NUL, as a C path would.
size_t FolderLength(std::string_view folder) { return std::strlen(std::string(folder).c_str()); }

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

bool Replaces(Replacement policy, const product::TCompRecord& component, std::string_view folder,
              std::string_view outputPath) {
    if (policy == Replacement::AllButData) return !IsData(component);
    return ShouldReplace(PathRest(outputPath, FolderLength(folder)), component.Target == product::TargetProgram);
}

bool ConfirmReplace(Replacement policy, const product::TCompRecord& component, std::string_view folder,
                    std::string_view outputPath) {
    if (policy == Replacement::AllButData) return Replaces(policy, component, folder, outputPath);
    const std::string rest = PathRest(outputPath, FolderLength(folder));
    core::LogNote("Confirmare pentru: " + rest);
    const bool replace = ShouldReplace(rest, component.Target == product::TargetProgram);
    core::LogNote(replace ? "Confirmat" : "NU!!!");
    return replace;
}

}  // namespace work

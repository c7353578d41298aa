#include "work/locate/ProgramSearch.h"

#include "platform/Paths.h"

namespace work {

namespace {

constexpr char kProfileSection[] = "Torvex";
constexpr char kAppPathKey[] = "AppPath";
constexpr char kDatabasePathKey[] = "DatabasePath";
constexpr char kProfileProgram[] = "Torvex.exe";
constexpr char kFixedFolder[] = ":\\WinTorv\\";
constexpr char kStatusPrefix[] = "Caut in ..";
constexpr size_t kStatusTail = 31;

bool HoldsProfileProgram(const std::string& folder) {
    return !folder.empty() && plat::Current().FileExists(folder + kProfileProgram);
}

}  // namespace

bool HoldsProduct(const std::vector<plat::DirEntry>& listing) {
    for (const plat::DirEntry& entry : listing)
        if (!entry.isDirectory && plat::EqualsIgnoreCase(entry.name, kProductProgram))
            return entry.size > kProductProgramMinSize;
    return false;
}

bool IsProgramFolder(const std::string& folder) {
    return HoldsProduct(plat::Current().ListDirectory(plat::IncludeTrailingBackslash(folder)));
}

std::string ProfileProgramFolder() {
    plat::Platform& platform = plat::Current();
    // The value is taken as it stands: it names the folder with its final "\".
    const std::string appPath = platform.ProfileString(kProfileSection, kAppPathKey, "");
    if (HoldsProfileProgram(appPath)) return appPath;
    const std::string databasePath = platform.ProfileString(kProfileSection, kDatabasePathKey, "");
    if (databasePath.empty()) return {};
    const size_t lastSeparator = databasePath.rfind('\\');
    const std::string parent =
        (lastSeparator == std::string::npos ? std::string() : databasePath.substr(0, lastSeparator)) + "\\";
    return HoldsProfileProgram(parent) ? parent : std::string();
}

std::string SearchStatusText(const std::string& folder) {
    const size_t from = folder.size() > kStatusTail ? folder.size() - kStatusTail : 0;
    return kStatusPrefix + folder.substr(from);
}

bool SearchTree(DriveSearch& search, const std::string& folder) {
    if (folder.size() > kSearchPathLimit || plat::EqualsIgnoreCase(folder, search.windowsFolder)) return false;
    // One listing serves both the product test and the walk below.
    const std::vector<plat::DirEntry> listing = plat::Current().ListDirectory(folder);
    if (HoldsProduct(listing)) {
        search.found = folder;
        return true;
    }
    if (search.visiting && search.visiting(SearchStatusText(folder))) {
        search.found.clear();
        search.stopped = true;
        return true;
    }
    for (const plat::DirEntry& entry : listing)
        if (entry.isDirectory && !entry.hidden && SearchTree(search, folder + entry.name + "\\")) return true;
    return false;
}

std::string SearchFixedDrives(DriveSearch& search) {
    plat::Platform& platform = plat::Current();
    search.found.clear();
    search.stopped = false;
    search.windowsFolder = plat::IncludeTrailingBackslash(platform.WindowsDirectory());
    for (char letter = 'C'; letter <= 'Z' && search.found.empty() && !search.stopped; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (platform.DriveTypeOf(root) != plat::DriveType::Fixed) continue;
        const std::string fixedFolder = std::string(1, letter) + kFixedFolder;
        if (IsProgramFolder(fixedFolder))
            search.found = fixedFolder;
        else
            SearchTree(search, root);
    }
    if (search.stopped) search.found.clear();
    return search.found;
}

std::string FindProgramFolder(DriveSearch& search) {
    const std::string fromProfile = ProfileProgramFolder();
    if (!fromProfile.empty()) return fromProfile;
    return SearchFixedDrives(search);
}

}  // namespace work

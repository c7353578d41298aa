#include "work/locate/InstallationKind.h"

#include "core/InstallState.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

namespace work {

namespace {
constexpr std::string_view kDataFolderEnd = "\\DATA";
constexpr int kShareRootSeparators = 4;
}  // namespace

std::string DataFolderOfAlias(std::string_view aliasFolder) {
    std::string folder = plat::ExcludeTrailingBackslash(aliasFolder);
    if (folder.size() >= kDataFolderEnd.size() &&
        plat::EqualsIgnoreCase(std::string_view(folder).substr(folder.size() - kDataFolderEnd.size()),
                               kDataFolderEnd))
        folder.resize(folder.size() - kDataFolderEnd.size());
    return folder;
}

std::string InstallationRoot(std::string_view folder) {
    if (folder.substr(0, 2) != "\\\\") return std::string(folder.substr(0, 3));
    int separators = 0;
    for (size_t i = 0; i < folder.size(); ++i)
        if (folder[i] == '\\' && ++separators == kShareRootSeparators) return std::string(folder.substr(0, i + 1));
    return {};
}

std::string DataFolderOrProgramFolder(const std::string& dataFolder, const std::string& programFolder) {
    return dataFolder.empty() ? plat::ExcludeTrailingBackslash(programFolder) : dataFolder;
}

uint8_t KindOfInstallation(std::string_view dataFolder) {
    const std::string root = InstallationRoot(dataFolder);
    const bool network = !root.empty() && plat::Current().DriveTypeOf(root) == plat::DriveType::Remote;
    return network ? core::InstallClient : core::InstallLocal;
}

}  // namespace work

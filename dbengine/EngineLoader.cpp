#include "dbengine/EngineLoader.h"

#include <string>
#include <vector>

#include "dbengine/BdeErrors.h"
#include "platform/Paths.h"

namespace bde {

namespace {

std::vector<std::string> SplitFolderList(const std::string& list) {
    std::vector<std::string> folders;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string folder = list.substr(start, end - start);
        // Registry values written by hand often carry blanks around the separators.
        const size_t first = folder.find_first_not_of(' ');
        const size_t last = folder.find_last_not_of(' ');
        if (first != std::string::npos) folders.push_back(folder.substr(first, last - first + 1));
        start = end + 1;
    }
    return folders;
}

// The places where a copy of the library may lie, in the order they are tried.
std::vector<std::string> CandidatePaths(plat::Platform& platform) {
    std::vector<std::string> paths;
    if (auto list = platform.RegistryReadString(kEngineRegistryKey, kEngineDllPathValue)) {
        for (const std::string& folder : SplitFolderList(*list))
            paths.push_back(plat::JoinPath(folder, kEngineLibraryName));
    }
    return paths;
}

}  // namespace

std::string RegisteredLibraryFolder(plat::Platform& platform) {
    const auto list = platform.RegistryReadString(kEngineRegistryKey, kEngineDllPathValue);
    if (!list) return {};
    for (const std::string& folder : SplitFolderList(*list))
        if (platform.FileExists(plat::JoinPath(folder, kEngineLibraryName))) return folder;
    return {};
}

DBIResult LoadErrorCode(plat::LoadError error) {
    switch (error) {
        case plat::LoadError::None: return kOk;
        case plat::LoadError::NotFound: return kLibraryNotFound;
        case plat::LoadError::OutOfMemory: return kLibraryOutOfMemory;
        case plat::LoadError::Other: break;
    }
    return kLibraryLoadFailed;
}

std::unique_ptr<plat::Library> LoadEngineLibrary(plat::Platform& platform, DBIResult* code) {
    plat::LoadError foundCopyError = plat::LoadError::None;
    for (const std::string& path : CandidatePaths(platform)) {
        if (!platform.FileExists(path)) continue;
        plat::LoadError error = plat::LoadError::None;
        if (auto library = platform.OpenLibrary(path, &error)) {
            *code = kOk;
            return library;
        }
        if (foundCopyError == plat::LoadError::None)
            foundCopyError = error == plat::LoadError::None ? plat::LoadError::Other : error;
    }
    *code = foundCopyError == plat::LoadError::None ? kLibraryNotFound : LoadErrorCode(foundCopyError);
    return nullptr;
}

}  // namespace bde

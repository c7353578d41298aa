#include "unzip/OutputPath.h"

#include <cstdio>

#include "platform/Paths.h"
#include "platform/Platform.h"

namespace unzip {

namespace {

bool IsDotsElement(std::string_view element) {
    int dots = 0;
    for (char c : element) {
        if (c == '.')
            ++dots;
        else if (c != ' ')
            return false;
    }
    return dots >= 2;
}

}  // namespace

bool IsSafeStoredName(std::string_view storedName) {
    if (storedName.empty()) return true;
    if (plat::IsSeparator(storedName.front())) return false;
    if (storedName.find(':') != std::string_view::npos) return false;
    size_t start = 0;
    while (start <= storedName.size()) {
        size_t end = start;
        while (end < storedName.size() && !plat::IsSeparator(storedName[end])) ++end;
        if (IsDotsElement(storedName.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}

bool IsFolderEntry(std::string_view path) {
    return !path.empty() && plat::IsSeparator(path.back());
}

bool CreateFoldersFor(const std::string& path) {
    plat::Platform& platform = plat::Current();
    const size_t rootLength = plat::ExtractDriveRoot(path).size();
    const size_t nameStart = path.find_last_of("\\/");
    if (nameStart == std::string::npos) return true;  // a bare name: the current folder
    for (size_t cut = rootLength; cut <= nameStart; ++cut) {
        if (!plat::IsSeparator(path[cut])) continue;
        const std::string folder = path.substr(0, cut);
        if (folder.empty()) continue;  // a path from the root of the current drive
        if (folder.size() == 2 && folder[1] == ':') continue;  // "C:" is a drive, not a folder
        if (platform.DirectoryExists(folder)) continue;
        if (!platform.MakeDirectory(folder)) return false;
    }
    const std::string folderPart = path.substr(0, nameStart);
    return folderPart.empty() || (folderPart.size() == 2 && folderPart[1] == ':') ||
           platform.DirectoryExists(folderPart);
}

std::string TemporarySibling(const std::string& path) {
    const std::string folder = plat::ExtractFilePath(path);
    plat::Platform& platform = plat::Current();
    for (unsigned number = 0; number <= 0xFFFF; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "~QUZ%04X.TMP", number);
        std::string candidate = folder + name;
        if (!platform.FileExists(candidate) && !platform.DirectoryExists(candidate))
            return candidate;
    }
    return {};
}

}  // namespace unzip

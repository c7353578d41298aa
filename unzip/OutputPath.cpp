#include "unzip/OutputPath.h"

#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/Platform.h"

namespace unzip {

namespace {

// "~QUZnnnn.TMP" with `number` in four upper-case hexadecimal digits.
std::string TemporaryName(unsigned number) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string name = "~QUZ0000.TMP";
    for (int digit = 7; digit >= 4; --digit, number >>= 4) name[digit] = kHex[number & 0xF];
    return name;
}

constexpr std::string_view kDeviceNames[] = {"CON", "PRN", "AUX", "NUL"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};

bool IsDeviceName(std::string_view element) {
    std::string base = plat::ToUpperAscii(element.substr(0, element.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (std::string_view device : kDeviceNames)
        if (base == device) return true;
    for (std::string_view device : kNumberedDevices)
        if (base.size() == 4 && base.compare(0, 3, device) == 0 && base[3] >= '1' && base[3] <= '9')
            return true;
    return false;
}

bool IsUnsafeElement(std::string_view element) {
    if (element.empty()) return false;
    return element.back() == '.' || element.back() == ' ' || IsDeviceName(element);
}

// The path from the root of its drive, "." and ".." resolved, upper case, "\" between
// the elements.
std::string CanonicalPath(const std::string& path) {
    std::string full = path;
    const bool hasDrive = full.size() >= 2 && full[1] == ':';
    if (!hasDrive && !(full.size() >= 1 && plat::IsSeparator(full[0]))) {
        full = plat::IncludeTrailingBackslash(plat::Current().CurrentDirectory()) + full;
    } else if (!hasDrive) {
        full = plat::ExtractDriveRoot(plat::Current().CurrentDirectory()) + full;
    }
    std::vector<std::string> elements;
    size_t start = 0;
    while (start <= full.size()) {
        size_t end = start;
        while (end < full.size() && !plat::IsSeparator(full[end])) ++end;
        const std::string element = full.substr(start, end - start);
        if (element == "..") {
            if (elements.size() > 1) elements.pop_back();
        } else if (!element.empty() && element != ".") {
            elements.push_back(plat::ToUpperAscii(element));
        }
        start = end + 1;
    }
    std::string canonical;
    for (const std::string& element : elements) canonical += element + '\\';
    return canonical;
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
        if (IsUnsafeElement(storedName.substr(start, end - start))) return false;
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

std::unique_ptr<plat::File> CreateTemporarySibling(const std::string& path, std::string& created) {
    const std::string folder = plat::ExtractFilePath(path);
    plat::Platform& platform = plat::Current();
    if (!folder.empty() && !platform.DirectoryExists(folder)) return nullptr;
    for (unsigned number = 0; number <= 0xFFFF; ++number) {
        created = folder + TemporaryName(number);
        if (std::unique_ptr<plat::File> file = platform.Open(created, plat::OpenMode::CreateNew))
            return file;
        // A name in use goes to the next number; any other failure is final.
        if (!platform.FileExists(created) && !platform.DirectoryExists(created)) break;
    }
    created.clear();
    return nullptr;
}

bool NamesSameFile(const std::string& a, const std::string& b) {
    return CanonicalPath(a) == CanonicalPath(b);
}

}  // namespace unzip

// The host side of the stand-ins' services: POSIX calls, and the way from a Windows path
// to a folder of the virtual Windows machine kept in a host folder.
#include <dirent.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <vector>

#include "standins/common/StandinSupport.h"

namespace standin {

namespace {

bool IsHostFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> SplitElements(const std::string& path) {
    std::vector<std::string> elements;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) elements.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) elements.push_back(current);
    return elements;
}

// The entry of `folder` named `name`: the exact name first, then any case.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
    if (name == "." || name == "..") return name;
    const std::string exact = folder + "/" + name;
    struct stat info {};
    if (::stat(exact.c_str(), &info) == 0) return name;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
        if (EqualsNoCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// The root folder of the virtual machine, or "" when it cannot be told.
std::string MachineRoot(const std::string& moduleHostPath) {
    if (auto root = EnvironmentValue("TORVEX_HOST_ROOT")) return *root;
    std::string folder = FolderOf(moduleHostPath);
    while (folder.size() > 1) {
        folder.pop_back();  // the separator
        const std::string parent = FolderOf(folder);
        const std::string name = folder.substr(parent.size());
        if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
            return parent.empty() ? std::string("/") : parent;
        folder = parent;
    }
    return {};
}

}  // namespace

std::string ModulePath(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

std::optional<std::string> LoadedModulePath(const std::string& fileName) {
    struct Search {
        const std::string* wanted;
        std::optional<std::string> found;
    } search{&fileName, std::nullopt};
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) -> int {
            auto* s = static_cast<Search*>(data);
            const std::string path = info->dlpi_name ? info->dlpi_name : "";
            if (path.empty() || !EqualsNoCase(path.substr(FolderOf(path).size()), *s->wanted))
                return 0;
            s->found = path;
            return 1;
        },
        &search);
    return search.found;
}

std::string ProgramPath() {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

std::optional<std::string> EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

void SetEnvironmentValue(const char* name, const std::string& value) {
    ::setenv(name, value.c_str(), 1);
}

std::string MachinePath(const std::string& path, const std::string& moduleHostPath) {
    std::string base;
    std::string rest = path;
    const bool hasDrive = path.size() >= 2 && path[1] == ':' &&
                          std::isalpha(static_cast<unsigned char>(path[0]));
    if (hasDrive) {
        const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        rest = path.substr(2);
        if (drive == 'z') {
            base = "/";
        } else {
            const std::string root = MachineRoot(moduleHostPath);
            if (root.empty()) return {};
            auto driveFolder = FindEntry(root, std::string(1, drive));
            if (!driveFolder) return {};
            base = root + "/" + *driveFolder;
        }
    } else if (!path.empty() && (path[0] == '/' || path[0] == '\\')) {
        base = "/";
    } else {
        return {};  // a relative path means nothing to an engine alias
    }
    for (const std::string& element : SplitElements(rest)) base += "/" + FindEntry(base, element).value_or(element);
    return base;
}

bool WindowsFolderExists(const std::string& path, const std::string& moduleHostPath) {
    const std::string host = MachinePath(path, moduleHostPath);
    return !host.empty() && IsHostFolder(host);
}

}  // namespace standin

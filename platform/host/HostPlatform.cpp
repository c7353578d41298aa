// The virtual machine itself: its drives, its journal, and how a Windows path finds its
// host file.
#include "platform/host/HostPlatform.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/Paths.h"

namespace plat {

namespace {

void HostMakeFolders(const std::string& path) {
    std::string partial;
    std::stringstream parts(path);
    std::string part;
    if (!path.empty() && path[0] == '/') partial = '/';
    while (std::getline(parts, part, '/')) {
        if (part.empty()) continue;
        partial += part + "/";
        mkdir(partial.c_str(), 0755);
    }
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (IsSeparator(c)) {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

}  // namespace

HostPlatform::HostPlatform(const std::string& rootFolder) : root_(rootFolder) {
    while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
    HostMakeFolders(root_);
    AddDrive('C', DriveType::Fixed);
    drives_['Z'] = Drive{DriveType::Fixed, "", std::nullopt};
    MakeDirectory("C:\\WINDOWS");
    MakeDirectory("C:\\TEMP");
    environment_["TEMP"] = "C:\\TEMP";
    LoadRegistry();
}

void HostPlatform::AddDrive(char letter, DriveType type, const std::string& hostFolder) {
    char upper = static_cast<char>(ToUpperAscii(std::string(1, letter))[0]);
    std::string folder = hostFolder.empty() ? root_ + "/" + char(upper - 'A' + 'a') : hostFolder;
    HostMakeFolders(folder);
    drives_[upper] = Drive{type, folder, std::nullopt};
}

void HostPlatform::Note(const std::string& line) {
    journal_.push_back(line);
    std::ofstream out(root_ + "/journal.txt", std::ios::app);
    out << line << "\n";
}

std::string HostPlatform::WindowsPathOfHost(const std::string& hostPath) {
    std::string result = "Z:";
    for (char c : hostPath) result += (c == '/') ? '\\' : c;
    if (result == "Z:") result += '\\';
    return result;
}

// A full Windows path "X:\a\b" for any form the callers use.
std::string HostPlatform::Absolute(const std::string& windowsPath) const {
    std::string path = windowsPath;
    if (!path.empty() && path[0] == '/' && !(path.size() > 1 && path[1] == '/'))
        return WindowsPathOfHost(path);
    if (path.size() >= 2 && path[1] == ':') {
        std::string rest = path.substr(2);
        if (rest.empty() || !IsSeparator(rest[0])) {
            // "C:name" is relative to the current folder when it is on that drive.
            if (EqualsIgnoreCase(currentDirectory_.substr(0, 2), path.substr(0, 2)))
                return JoinPath(currentDirectory_, rest);
            return path.substr(0, 2) + "\\" + rest;
        }
        return path;
    }
    if (!path.empty() && IsSeparator(path[0])) return currentDirectory_.substr(0, 2) + path;
    return JoinPath(currentDirectory_, path);
}

HostPlatform::WrittenPath HostPlatform::AsWritten(const std::string& windowsPath) const {
    std::string full = Absolute(windowsPath);
    char letter = static_cast<char>(ToUpperAscii(full.substr(0, 1))[0]);
    auto drive = drives_.find(letter);
    // A drive the machine lacks maps below a folder that never exists, so that nothing
    // on it can be found, opened or created.
    if (drive == drives_.end())
        return {root_ + "/.no-drive-" + std::string(1, letter) + "/" + full.substr(2), {}, {}};
    WrittenPath written;
    written.driveFolder = drive->second.hostFolder;
    for (const std::string& part : SplitPath(full.substr(2))) {
        if (part == ".") continue;
        if (part == "..") {
            if (!written.names.empty()) written.names.pop_back();
            continue;
        }
        written.names.push_back(part);
    }
    written.exact = written.driveFolder;
    for (const std::string& part : written.names) written.exact += "/" + part;
    if (written.exact.empty()) written.exact = '/';
    return written;
}

std::string HostPlatform::HostPath(const std::string& windowsPath) {
    const WrittenPath written = AsWritten(windowsPath);
    const std::vector<std::string>& names = written.names;
    if (names.empty()) return written.exact;
    // Most paths name an entry, or a new entry of a folder, exactly as written: one or two
    // calls tell, where resolving name by name takes one per name.
    struct stat st {};
    if (lstat(written.exact.c_str(), &st) == 0) return written.exact;
    const std::string folder = written.exact.substr(0, written.exact.size() - names.back().size() - 1);
    if (names.size() == 1 || lstat(folder.c_str(), &st) == 0) {
        // A folder that is not a link is the one whose names are indexed.
        const bool known = names.size() > 1 && S_ISDIR(st.st_mode);
        return folder + "/" +
               folderNames_.Find(folder.empty() ? "/" : folder, names.back(), known ? &st : nullptr)
                   .value_or(names.back());
    }
    std::string host = written.driveFolder;
    for (const std::string& part : names) {
        const std::string name = EntryName(host.empty() ? "/" : host, part);
        host += '/';
        host += name;
    }
    return host;
}

// The entry of `folder` named `name`: the exact name first, else one that differs in case,
// else the name itself.
std::string HostPlatform::EntryName(const std::string& folder, const std::string& name) {
    struct stat st {};
    if (lstat((folder + "/" + name).c_str(), &st) == 0) return name;
    return folderNames_.Find(folder, name).value_or(name);
}

}  // namespace plat

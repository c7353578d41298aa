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

void HostPlatform::AddShare(const std::string& share, const std::string& hostFolder) {
    std::string folder = hostFolder;
    if (folder.empty()) {
        folder = root_ + "/share";
        for (const std::string& part : SplitPath(share)) folder += "-" + part;
    }
    HostMakeFolders(folder);
    shares_[ToUpperAscii(ExcludeTrailingBackslash(share))] = folder;
}

void HostPlatform::ConnectDrive(char letter, const std::string& share) {
    const auto found = shares_.find(ToUpperAscii(ExcludeTrailingBackslash(share)));
    if (found == shares_.end()) return;
    AddDrive(letter, DriveType::Remote, found->second);
    connected_[static_cast<char>(ToUpperAscii(std::string(1, letter))[0])] = ExcludeTrailingBackslash(share);
}

void HostPlatform::RemoveDrive(char letter) {
    drives_.erase(static_cast<char>(ToUpperAscii(std::string(1, letter))[0]));
}

NetworkDrives HostPlatform::MappedNetworkDrives() {
    NetworkDrives seen;
    for (const auto& [letter, share] : connected_)
        if (drives_.count(letter)) seen[letter] = share;
    return seen;
}

void HostPlatform::ReachLettersThrough(const NetworkDrives& drives) {
    unseenLetters_.Use(drives, [this](char letter) { return drives_.count(letter) != 0; });
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

// A full Windows path "X:\a\b" for any form the callers use; a share's path as it is.
std::string HostPlatform::Spelled(const std::string& windowsPath) const {
    std::string path = windowsPath;
    if (path.size() > 1 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;
    if (!path.empty() && path[0] == '/') return WindowsPathOfHost(path);
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

std::string HostPlatform::Absolute(const std::string& windowsPath) const {
    return unseenLetters_.Reach(Spelled(windowsPath));
}

HostPlatform::WrittenPath HostPlatform::Below(const std::string& driveFolder, const std::vector<std::string>& parts,
                                              size_t first) {
    WrittenPath written;
    written.driveFolder = driveFolder;
    for (size_t at = first; at < parts.size(); ++at) {
        const std::string& part = parts[at];
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

HostPlatform::WrittenPath HostPlatform::AsWritten(const std::string& windowsPath) const {
    const std::string full = Absolute(windowsPath);
    if (IsSeparator(full[0])) {
        // \\server\share\names: a share of this machine, or one that never answers.
        const std::vector<std::string> parts = SplitPath(full);
        const std::string share = parts.size() >= 2 ? ToUpperAscii("\\\\" + parts[0] + "\\" + parts[1]) : "";
        const auto found = shares_.find(share);
        if (found == shares_.end()) return {root_ + "/.no-share/" + full.substr(2), {}, {}};
        return Below(found->second, parts, 2);
    }
    char letter = static_cast<char>(ToUpperAscii(full.substr(0, 1))[0]);
    auto drive = drives_.find(letter);
    // A drive the machine lacks maps below a folder that never exists, so that nothing
    // on it can be found, opened or created.
    if (drive == drives_.end())
        return {root_ + "/.no-drive-" + std::string(1, letter) + "/" + full.substr(2), {}, {}};
    return Below(drive->second.hostFolder, SplitPath(full.substr(2)), 0);
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

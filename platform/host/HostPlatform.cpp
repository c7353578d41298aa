#include "platform/host/HostPlatform.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace plat {

namespace {

bool HostIsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HostIsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void HostMakeFolders(const std::string& path) {
    std::string partial;
    std::stringstream parts(path);
    std::string part;
    if (!path.empty() && path[0] == '/') partial = "/";
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

class HostFile : public File {
public:
    HostFile(int fd, int64_t writeLimit, HostPlatform* machine, std::string hostPath)
        : fd_(fd), writeLimit_(writeLimit), machine_(machine), hostPath_(std::move(hostPath)) {}
    ~HostFile() override { close(fd_); }

    int64_t Read(void* buffer, int64_t count) override {
        int64_t total = 0;
        auto* out = static_cast<char*>(buffer);
        while (total < count) {
            ssize_t got = read(fd_, out + total, static_cast<size_t>(count - total));
            if (got < 0) return -1;
            if (got == 0) break;
            total += got;
        }
        return total;
    }

    int64_t Write(const void* buffer, int64_t count) override {
        if (!machine_->NextOperation() || !machine_->Fits(hostPath_, count)) return -1;
        if (writeLimit_ >= 0) {
            int64_t room = writeLimit_ - written_;
            if (room <= 0) return -1;
            if (count > room) count = room;
        }
        int64_t total = 0;
        auto* in = static_cast<const char*>(buffer);
        while (total < count) {
            ssize_t put = write(fd_, in + total, static_cast<size_t>(count - total));
            if (put <= 0) return -1;
            total += put;
        }
        written_ += total;
        return total;
    }

    bool Seek(int64_t position) override { return lseek(fd_, position, SEEK_SET) == position; }
    int64_t Position() override { return lseek(fd_, 0, SEEK_CUR); }
    int64_t Size() override {
        struct stat st {};
        return fstat(fd_, &st) == 0 ? st.st_size : -1;
    }
    bool Truncate() override {
        off_t at = lseek(fd_, 0, SEEK_CUR);
        return at >= 0 && ftruncate(fd_, at) == 0;
    }

private:
    int fd_;
    int64_t writeLimit_;  // -1: no limit
    int64_t written_ = 0;
    HostPlatform* machine_;
    std::string hostPath_;
};

namespace {

class HostLibrary : public Library {
public:
    explicit HostLibrary(void* handle) : handle_(handle) {}
    ~HostLibrary() override { dlclose(handle_); }
    void* Symbol(const std::string& name) override { return dlsym(handle_, name.c_str()); }
    void* Ordinal(int ordinal) override {
        return dlsym(handle_, ("torvex_ordinal_" + std::to_string(ordinal)).c_str());
    }

private:
    void* handle_;
};

std::string FirstToken(const std::string& commandLine) {
    size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    if (commandLine[start] == '"') {
        size_t end = commandLine.find('"', start + 1);
        return commandLine.substr(start + 1, end == std::string::npos ? std::string::npos
                                                                      : end - start - 1);
    }
    size_t end = commandLine.find(' ', start);
    return commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string ProgramKey(const std::string& token) {
    std::string name = ToUpperAscii(ExtractFileName(token));
    if (name.size() > 4 && name.substr(name.size() - 4) == ".EXE") name.resize(name.size() - 4);
    return name;
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

void HostPlatform::SetEnvironment(const std::string& name, const std::string& value) {
    environment_[ToUpperAscii(name)] = value;
}

void HostPlatform::UnsetEnvironment(const std::string& name) {
    environment_.erase(ToUpperAscii(name));
}

void HostPlatform::MapProgram(const std::string& name, ProgramHandler handler) {
    programs_[ProgramKey(name)] = std::move(handler);
}

void HostPlatform::FailWritesAfter(const std::string& pathPart, int64_t bytes) {
    writeFaults_.push_back({ToUpperAscii(pathPart), bytes});
}

void HostPlatform::FailCreateDirectory(const std::string& windowsPath) {
    failCreate_.push_back(ToUpperAscii(ExcludeTrailingBackslash(Absolute(windowsPath))));
}

void HostPlatform::FailOpen(const std::string& windowsPath) {
    failOpen_.push_back(ToUpperAscii(Absolute(windowsPath)));
}

void HostPlatform::ClearFaults() {
    writeFaults_.clear();
    failCreate_.clear();
    failOpen_.clear();
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
    if (written.exact.empty()) written.exact = "/";
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
    for (const std::string& part : names) host += "/" + EntryName(host.empty() ? "/" : host, part);
    return host;
}

// The entry of `folder` named `name`: the exact name first, else one that differs in case,
// else the name itself.
std::string HostPlatform::EntryName(const std::string& folder, const std::string& name) {
    struct stat st {};
    if (lstat((folder + "/" + name).c_str(), &st) == 0) return name;
    return folderNames_.Find(folder, name).value_or(name);
}

bool HostPlatform::IsFaulty(const std::vector<std::string>& list, const std::string& path) const {
    std::string key = ToUpperAscii(ExcludeTrailingBackslash(Absolute(path)));
    for (const std::string& entry : list)
        if (ExcludeTrailingBackslash(entry) == key) return true;
    return false;
}

int64_t HostPlatform::WriteLimitFor(const std::string& windowsPath) const {
    std::string key = ToUpperAscii(Absolute(windowsPath));
    for (const WriteFault& fault : writeFaults_)
        if (key.find(fault.pathPart) != std::string::npos) return fault.bytes;
    return -1;
}

bool HostPlatform::FileExists(const std::string& path) { return HostIsFile(HostPath(path)); }

bool HostPlatform::DirectoryExists(const std::string& path) {
    return HostIsDirectory(HostPath(path));
}

std::unique_ptr<File> HostPlatform::Open(const std::string& path, OpenMode mode) {
    if (IsFaulty(failOpen_, path)) return nullptr;
    std::string host = HostPath(path);
    // Opening a folder to read succeeds on the host; the other modes fail on their own.
    if (mode == OpenMode::Read && HostIsDirectory(host)) return nullptr;
    int flags = 0;
    switch (mode) {
        case OpenMode::Read: flags = O_RDONLY; break;
        case OpenMode::ReadWrite: flags = O_RDWR; break;
        case OpenMode::Create: flags = O_RDWR | O_CREAT | O_TRUNC; break;
        case OpenMode::CreateNew: flags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW; break;
        case OpenMode::Append: flags = O_WRONLY | O_CREAT | O_APPEND; break;
        case OpenMode::AppendDurable: flags = O_WRONLY | O_CREAT | O_APPEND | O_DSYNC; break;
    }
    if (mode != OpenMode::Read && (IsHeld(path) || !NextOperation())) return nullptr;
    int fd = open(host.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    int64_t limit = mode == OpenMode::Read ? -1 : WriteLimitFor(path);
    return std::make_unique<HostFile>(fd, limit, this, host);
}

bool HostPlatform::RemoveFile(const std::string& path) {
    std::string host = HostPath(path);
    if (!HostIsFile(host) || IsHeld(path) || !NextOperation()) return false;
    return unlink(host.c_str()) == 0;
}

bool HostPlatform::RenameFile(const std::string& from, const std::string& to, bool replace) {
    std::string source = HostPath(from), target = HostPath(to);
    if (!HostIsFile(source) && !HostIsDirectory(source)) return false;
    if (!replace && (HostIsFile(target) || HostIsDirectory(target))) return false;
    if (IsHeld(from) || IsHeld(to) || !NextOperation()) return false;
    return rename(source.c_str(), target.c_str()) == 0;
}

bool HostPlatform::MakeDirectory(const std::string& path) {
    if (IsFaulty(failCreate_, path) || !NextOperation()) return false;
    return mkdir(HostPath(path).c_str(), 0755) == 0;
}

bool HostPlatform::RemoveEmptyDirectory(const std::string& path) {
    if (!NextOperation()) return false;
    return rmdir(HostPath(path).c_str()) == 0;
}

bool HostPlatform::NextOperation() {
    ++operations_;
    if (stopAtOperation_ != 0 && operations_ >= stopAtOperation_) return false;
    return operations_ != failOperation_;
}

void HostPlatform::SetDriveQuota(char letter, uint64_t bytes) {
    drives_.at(static_cast<char>(ToUpperAscii(std::string(1, letter))[0])).quota = bytes;
}

namespace {
uint64_t BytesIn(const std::string& hostFolder) {
    uint64_t total = 0;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(hostFolder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file(error)) total += it->file_size(error);
    return total;
}
}  // namespace

std::optional<uint64_t> HostPlatform::FreeSpace(const std::string& path) {
    const std::string absolute = Absolute(path);
    if (absolute.size() < 2 || absolute[1] != ':') return std::nullopt;
    auto drive = drives_.find(static_cast<char>(ToUpperAscii(absolute.substr(0, 1))[0]));
    if (drive == drives_.end()) return std::nullopt;
    if (!drive->second.quota) return uint64_t(1) << 40;  // plenty: a terabyte
    const uint64_t used = BytesIn(drive->second.hostFolder);
    return used >= *drive->second.quota ? 0 : *drive->second.quota - used;
}

bool HostPlatform::Fits(const std::string& hostPath, int64_t bytes) const {
    for (const auto& [letter, drive] : drives_) {
        if (!drive.quota || hostPath.compare(0, drive.hostFolder.size() + 1, drive.hostFolder + "/") != 0)
            continue;
        return BytesIn(drive.hostFolder) + uint64_t(bytes) <= *drive.quota;
    }
    return true;
}

void HostPlatform::HoldFile(const std::string& windowsPath) { held_.push_back(ToUpperAscii(Absolute(windowsPath))); }

void HostPlatform::ReleaseFile(const std::string& windowsPath) {
    std::erase(held_, ToUpperAscii(Absolute(windowsPath)));
}

bool HostPlatform::IsHeld(const std::string& path) const {
    return std::find(held_.begin(), held_.end(), ToUpperAscii(Absolute(path))) != held_.end();
}

bool HostPlatform::FileInUse(const std::string& path) { return FileExists(path) && IsHeld(path); }

std::vector<DirEntry> HostPlatform::ListDirectory(const std::string& path) {
    std::vector<DirEntry> entries;
    std::string host = HostPath(path);
    DIR* dir = opendir(host.c_str());
    if (!dir) return entries;
    const int folder = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // As under Wine, a name that begins with a dot is a hidden entry.
        const bool hidden = name[0] == '.';
        // A folder needs no size: the listing's own type saves a call per folder.
        if (entry->d_type == DT_DIR) {
            entries.push_back({name, true, 0, hidden});
            continue;
        }
        struct stat st {};
        if (fstatat(folder, entry->d_name, &st, 0) != 0) continue;
        entries.push_back({name, S_ISDIR(st.st_mode), S_ISDIR(st.st_mode) ? 0 : st.st_size, hidden});
    }
    closedir(dir);
    return entries;
}

bool HostPlatform::SetFileDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
    std::tm local{};
    local.tm_year = ((dosDate >> 9) & 0x7F) + 80;
    local.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
    local.tm_mday = dosDate & 0x1F;
    local.tm_hour = (dosTime >> 11) & 0x1F;
    local.tm_min = (dosTime >> 5) & 0x3F;
    local.tm_sec = (dosTime & 0x1F) * 2;
    local.tm_isdst = -1;
    if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_hour > 23 ||
        local.tm_min > 59 || local.tm_sec > 59)
        return false;
    // Local time changes its offset only on whole minutes; members written together
    // mostly share their minute, and each conversion reads the zone's rules again.
    const uint32_t minute = uint32_t(dosDate) << 16 | (dosTime & ~0x1Fu);
    if (minute != lastMinute_.key) {
        local.tm_sec = 0;
        const std::time_t start = std::mktime(&local);
        if (start == static_cast<std::time_t>(-1)) return false;
        lastMinute_ = {minute, start};
    }
    const std::time_t when = lastMinute_.start + (dosTime & 0x1F) * 2;
    timespec times[2] = {{when, 0}, {when, 0}};
    // A file that exists as written needs no look-up of its names.
    if (utimensat(AT_FDCWD, AsWritten(path).exact.c_str(), times, 0) == 0) return true;
    return errno == ENOENT && utimensat(AT_FDCWD, HostPath(path).c_str(), times, 0) == 0;
}

bool HostPlatform::ChangeDirectory(const std::string& path) {
    std::string full = Absolute(path);
    if (!HostIsDirectory(HostPath(full))) return false;
    currentDirectory_ = full.size() == 2 ? full + "\\" : full;
    return true;
}

std::optional<std::string> HostPlatform::Environment(const std::string& name) {
    auto it = environment_.find(ToUpperAscii(name));
    if (it == environment_.end()) return std::nullopt;
    return it->second;
}

DriveType HostPlatform::DriveTypeOf(const std::string& root) {
    if (root.empty()) return DriveType::NoRootDir;
    // A share's root, \\server\share\, is a network drive.
    if (root.size() > 2 && IsSeparator(root[0]) && IsSeparator(root[1])) return DriveType::Remote;
    char letter = static_cast<char>(ToUpperAscii(root.substr(0, 1))[0]);
    auto drive = drives_.find(letter);
    return drive == drives_.end() ? DriveType::NoRootDir : drive->second.type;
}

// registry.txt: "key<TAB>value<TAB>S|D<TAB>data" a line; a key alone marks an empty key.
void HostPlatform::LoadRegistry() {
    std::ifstream in(root_ + "/registry.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t')) fields.push_back(field);
        if (fields.empty()) continue;
        auto& key = registry_[fields[0]];
        if (fields.size() >= 4) key[fields[1]] = RegistryValue{fields[2] == "D", fields[3]};
    }
}

void HostPlatform::SaveRegistry() {
    std::ofstream out(root_ + "/registry.txt", std::ios::trunc);
    for (const auto& [key, values] : registry_) {
        if (values.empty()) out << key << "\n";
        for (const auto& [name, value] : values)
            out << key << "\t" << name << "\t" << (value.isDword ? "D" : "S") << "\t"
                << value.data << "\n";
    }
}

bool HostPlatform::RegistryKeyExists(const std::string& key) {
    std::string wanted = ToUpperAscii(ExcludeTrailingBackslash(key));
    for (const auto& entry : registry_) {
        const std::string& name = entry.first;
        if (name == wanted || (name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0 &&
                               name[wanted.size()] == '\\'))
            return true;
    }
    return false;
}

std::optional<std::string> HostPlatform::RegistryReadString(const std::string& key,
                                                            const std::string& value) {
    auto k = registry_.find(ToUpperAscii(ExcludeTrailingBackslash(key)));
    if (k == registry_.end()) return std::nullopt;
    auto v = k->second.find(ToUpperAscii(value));
    if (v == k->second.end() || v->second.isDword) return std::nullopt;
    return v->second.data;
}

bool HostPlatform::RegistryWriteString(const std::string& key, const std::string& value,
                                       const std::string& data) {
    if (!NextOperation()) return false;
    registry_[ToUpperAscii(ExcludeTrailingBackslash(key))][ToUpperAscii(value)] = {false, data};
    SaveRegistry();
    return true;
}

std::optional<uint32_t> HostPlatform::RegistryReadDword(const std::string& key,
                                                        const std::string& value) {
    auto k = registry_.find(ToUpperAscii(ExcludeTrailingBackslash(key)));
    if (k == registry_.end()) return std::nullopt;
    auto v = k->second.find(ToUpperAscii(value));
    if (v == k->second.end() || !v->second.isDword) return std::nullopt;
    return static_cast<uint32_t>(std::stoul(v->second.data));
}

bool HostPlatform::RegistryWriteDword(const std::string& key, const std::string& value,
                                      uint32_t data) {
    if (!NextOperation()) return false;
    registry_[ToUpperAscii(ExcludeTrailingBackslash(key))][ToUpperAscii(value)] = {
        true, std::to_string(data)};
    SaveRegistry();
    return true;
}

namespace {
std::string ReadHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}
}  // namespace

std::string HostPlatform::ProfileString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) {
    std::string text = ReadHostFile(HostPath("C:\\WINDOWS\\WIN.INI"));
    return IniRead(text, section, key).value_or(defaultValue);
}

bool HostPlatform::WriteProfile(const std::string& section, const std::string& key,
                                      const std::string& value) {
    if (!NextOperation()) return false;
    std::string host = HostPath("C:\\WINDOWS\\WIN.INI");
    std::string text = IniWrite(ReadHostFile(host), section, key, value);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

bool HostPlatform::RemoveProfileValue(const std::string& section, const std::string& key) {
    if (!NextOperation()) return false;
    const std::string host = HostPath("C:\\WINDOWS\\WIN.INI");
    const std::string text = IniRemove(ReadHostFile(host), section, key);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

bool HostPlatform::RemoveFileAtRestart(const std::string& path) {
    if (!NextOperation() || !FileExists(path)) return false;
    Note("REMOVE AT RESTART " + path);
    return true;
}

bool HostPlatform::RegistryDeleteValue(const std::string& key, const std::string& value) {
    if (!NextOperation()) return false;
    auto k = registry_.find(ToUpperAscii(ExcludeTrailingBackslash(key)));
    if (k == registry_.end()) return true;
    k->second.erase(ToUpperAscii(value));
    SaveRegistry();
    return true;
}

bool HostPlatform::RegistryDeleteEmptyKey(const std::string& key) {
    if (!NextOperation()) return false;
    const std::string wanted = ToUpperAscii(ExcludeTrailingBackslash(key));
    for (const auto& [name, values] : registry_) {
        const bool below = name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0 &&
                           name[wanted.size()] == '\\';
        if ((name == wanted && !values.empty()) || below) return false;
    }
    registry_.erase(wanted);
    SaveRegistry();
    return true;
}

void HostPlatform::ShowPlainMessage(const std::string& text) { Note("MESSAGE " + text); }

void HostPlatform::Note(const std::string& line) {
    journal_.push_back(line);
    std::ofstream out(root_ + "/journal.txt", std::ios::app);
    out << line << "\n";
}

// Runs a mapped program, or records one whose file exists; nullopt when nothing can start.
std::optional<int64_t> HostPlatform::Run(const std::string& commandLine) {
    if (commandLine.size() > maxCommandLine_) return std::nullopt;
    std::string program = FirstToken(commandLine);
    auto mapped = programs_.find(ProgramKey(program));
    if (mapped != programs_.end()) {
        Note("RUN " + commandLine);
        return mapped->second(commandLine);
    }
    std::string withExe = program;
    if (ExtractFileName(program).find('.') == std::string::npos) withExe += ".EXE";
    if (!FileExists(program) && !FileExists(withExe)) return std::nullopt;
    Note("RUN " + commandLine);
    return 0;
}

bool HostPlatform::StartProgram(const std::string& commandLine, int /*showMode*/) {
    return Run(commandLine).has_value();
}

int64_t HostPlatform::RunAndWait(const std::string& commandLine, int /*showMode*/) {
    return Run(commandLine).value_or(-1);
}

DdeResult HostPlatform::DdeExecute(const std::string& service, const std::string& topic,
                                   const std::string& command, uint32_t timeoutMs) {
    if (ddeBehaviour_ == DdeResult::NoConversation) return ddeBehaviour_;
    ddeJournal_.push_back({service, topic, command, timeoutMs});
    std::ofstream out(root_ + "/dde.txt", std::ios::app | std::ios::binary);
    out << service << "|" << topic << "\n" << command << "\n";
    return ddeBehaviour_;
}

std::unique_ptr<Library> HostPlatform::OpenLibrary(const std::string& path, LoadError* error) {
    auto fail = [&](LoadError why) -> std::unique_ptr<Library> {
        if (error) *error = why;
        return nullptr;
    };
    std::string candidate = path;
    if (path.find_first_of("\\/:") == std::string::npos) {
        // A bare name: the program's folder, then the current folder, then C:\WINDOWS.
        candidate.clear();
        for (const std::string& folder : {ExtractFilePath(moduleFileName_), currentDirectory_,
                                          WindowsDirectory()}) {
            if (FileExists(JoinPath(folder, path))) {
                candidate = JoinPath(folder, path);
                break;
            }
        }
        if (candidate.empty()) return fail(LoadError::NotFound);
    }
    std::string host = HostPath(candidate);
    if (!HostIsFile(host)) return fail(LoadError::NotFound);
    void* handle = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return fail(LoadError::Other);
    if (error) *error = LoadError::None;
    return std::make_unique<HostLibrary>(handle);
}

std::string HostPlatform::GlobalText(void* handle) {
    return handle ? std::string(static_cast<const char*>(handle)) : std::string();
}

uint32_t HostPlatform::TickCount() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<uint32_t>(ms) + tickOffset_;
}

LocalTime HostPlatform::Now() {
    if (hasFixedTime_) return fixedTime_;
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min,        local.tm_sec,       static_cast<int>(ms)};
}

}  // namespace plat

namespace plat {

// The virtual machine's regional settings are fixed: "dd.MM.yyyy" and "HH:mm:ss".
std::string HostPlatform::FormatDateTime(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", time.day, time.month, time.year,
                  time.hour, time.minute, time.second);
    return text;
}

}  // namespace plat

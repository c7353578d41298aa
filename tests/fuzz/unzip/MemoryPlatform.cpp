#include "tests/fuzz/unzip/MemoryPlatform.h"

#include <algorithm>
#include <cstring>

#include "platform/Paths.h"
#include "tests/unit/unzip/MemoryFile.h"

namespace unzip_fuzz {

namespace {

const std::string kRoot = "C:";
const std::vector<std::string> kFirstFolders = {"C:\\WINDOWS", "C:\\TEMP"};

// An open file over the machine's contents, at most kFileLimit bytes long.
std::unique_ptr<plat::File> OpenOver(std::shared_ptr<std::string> bytes, bool writable, bool append) {
    auto file = std::make_unique<unzip_test::MemoryFile>(std::move(bytes), writable, append);
    file->LimitSize(MemoryPlatform::kFileLimit);
    return file;
}

bool IsUnder(const std::string& key, const std::string& folder) {
    return key == folder || (key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
                             key[folder.size()] == '\\');
}

}  // namespace

MemoryPlatform::MemoryPlatform() {
    folders_.insert(kRoot);
    folders_.insert(kFirstFolders.begin(), kFirstFolders.end());
}

std::string MemoryPlatform::Key(const std::string& path) const {
    std::string full = path;
    if (full.size() >= 2 && full[1] == ':') {
        if (plat::ToUpperAscii(full.substr(0, 1)) != "C") return {};
        full = full.substr(2);
        if (full.empty() || !plat::IsSeparator(full[0])) full = plat::JoinPath(current_.substr(2), full);
    } else if (full.empty() || !plat::IsSeparator(full[0])) {
        full = plat::JoinPath(current_.substr(2), full);
    }
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= full.size(); ++i) {
        if (i < full.size() && !plat::IsSeparator(full[i])) {
            part += full[i];
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(plat::ToUpperAscii(part));
        }
        part.clear();
    }
    std::string key = kRoot;
    for (const std::string& element : parts) key += "\\" + element;
    return key;
}

bool MemoryPlatform::ParentExists(const std::string& key) const {
    const size_t cut = key.rfind('\\');
    return cut != std::string::npos && folders_.count(key.substr(0, cut));
}

bool MemoryPlatform::OnlyUnder(const std::string& folder) const {
    const std::string top = Key(folder);
    const auto allowed = [&](const std::string& key) {
        return IsUnder(key, top) || key == kRoot ||
               std::find(kFirstFolders.begin(), kFirstFolders.end(), key) != kFirstFolders.end();
    };
    return std::all_of(folders_.begin(), folders_.end(), allowed) &&
           std::all_of(files_.begin(), files_.end(), [&](const auto& file) { return allowed(file.first); });
}

void MemoryPlatform::RemoveTree(const std::string& folder) {
    const std::string top = Key(folder);
    std::erase_if(files_, [&](const auto& file) { return IsUnder(file.first, top); });
    std::erase_if(folders_, [&](const std::string& key) { return IsUnder(key, top); });
    current_ = "C:\\";
}

bool MemoryPlatform::FileExists(const std::string& path) { return files_.count(Key(path)) > 0; }

bool MemoryPlatform::DirectoryExists(const std::string& path) { return folders_.count(Key(path)) > 0; }

std::unique_ptr<plat::File> MemoryPlatform::Open(const std::string& path, plat::OpenMode mode) {
    const std::string key = Key(path);
    if (key.empty() || folders_.count(key)) return nullptr;
    auto found = files_.find(key);
    const bool readOnly = mode == plat::OpenMode::Read;
    if (readOnly || mode == plat::OpenMode::ReadWrite) {
        if (found == files_.end()) return nullptr;
        return OpenOver(found->second, !readOnly, false);
    }
    if (!ParentExists(key)) return nullptr;
    if (mode == plat::OpenMode::Append) {
        if (found == files_.end()) found = files_.emplace(key, std::make_shared<std::string>()).first;
        return OpenOver(found->second, true, true);
    }
    // Create replaces a file; any stricter way of creating refuses a name that is taken.
    if (found != files_.end() && mode != plat::OpenMode::Create) return nullptr;
    auto bytes = std::make_shared<std::string>();
    files_[key] = bytes;
    return OpenOver(bytes, true, false);
}

bool MemoryPlatform::RemoveFile(const std::string& path) { return files_.erase(Key(path)) > 0; }

bool MemoryPlatform::RenameFile(const std::string& from, const std::string& to, bool replace) {
    const std::string source = Key(from), target = Key(to);
    auto found = files_.find(source);
    if (found == files_.end() || target.empty() || folders_.count(target) || !ParentExists(target))
        return false;
    if (source == target) return true;
    if (files_.count(target) && !replace) return false;
    files_[target] = found->second;
    files_.erase(source);
    return true;
}

bool MemoryPlatform::MakeDirectory(const std::string& path) {
    const std::string key = Key(path);
    if (key.empty() || folders_.count(key) || files_.count(key) || !ParentExists(key)) return false;
    folders_.insert(key);
    return true;
}

bool MemoryPlatform::RemoveEmptyDirectory(const std::string& path) {
    const std::string key = Key(path);
    if (!folders_.count(key) || key == kRoot) return false;
    const auto inside = [&](const std::string& other) { return other != key && IsUnder(other, key); };
    if (std::any_of(folders_.begin(), folders_.end(), inside) ||
        std::any_of(files_.begin(), files_.end(), [&](const auto& file) { return inside(file.first); }))
        return false;
    folders_.erase(key);
    return true;
}

std::vector<plat::DirEntry> MemoryPlatform::ListDirectory(const std::string& path) {
    const std::string key = Key(path);
    std::vector<plat::DirEntry> entries;
    const auto isChild = [&](const std::string& other) {
        return IsUnder(other, key) && other != key && other.find('\\', key.size() + 1) == std::string::npos;
    };
    for (const std::string& folder : folders_)
        if (isChild(folder)) entries.push_back({folder.substr(key.size() + 1), true, 0});
    for (const auto& [name, bytes] : files_)
        if (isChild(name)) entries.push_back({name.substr(key.size() + 1), false, int64_t(bytes->size())});
    return entries;
}

bool MemoryPlatform::ChangeDirectory(const std::string& path) {
    const std::string key = Key(path);
    if (!folders_.count(key)) return false;
    current_ = key == kRoot ? "C:\\" : key;
    return true;
}

plat::DriveType MemoryPlatform::DriveTypeOf(const std::string& root) {
    return Key(root) == kRoot ? plat::DriveType::Fixed : plat::DriveType::NoRootDir;
}

}  // namespace unzip_fuzz

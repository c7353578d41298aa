#include "platform/host/FolderNames.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/Paths.h"

namespace plat {

namespace {

// Every name of `folder` with its upper-case key, in the order the folder lists them.
template <class Visit>
bool ReadFolder(const std::string& folder, Visit visit) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    while (dirent* entry = readdir(dir)) visit(std::string(entry->d_name));
    closedir(dir);
    return true;
}

constexpr uint32_t kWatchedChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                     IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

FolderNames::FolderNames() : notices_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderNames::~FolderNames() {
    if (notices_ >= 0) close(notices_);
}

std::optional<std::string> FolderNames::Find(const std::string& folder, const std::string& name,
                                             const struct stat* folderNow) {
    if (Folder* indexed = Indexed(folder, folderNow)) {
        const auto found = indexed->names.find(ToUpperAscii(name));
        if (found == indexed->names.end() || found->second.empty()) return std::nullopt;
        return found->second.front();
    }
    std::optional<std::string> found;
    ReadFolder(folder, [&](const std::string& entry) {
        if (!found && EqualsIgnoreCase(entry, name)) found = entry;
    });
    return found;
}

FolderNames::Folder* FolderNames::Indexed(const std::string& folder, const struct stat* folderNow) {
    if (notices_ < 0) return nullptr;
    TakeNotices();
    struct stat st {};
    if (folderNow) st = *folderNow;
    else if (stat(folder.c_str(), &st) != 0) return nullptr;
    if (!S_ISDIR(st.st_mode)) return nullptr;
    // The path may name another folder now than when it was indexed (a parent renamed).
    if (const auto watch = watchOf_.find(folder); watch != watchOf_.end()) {
        const auto indexed = byWatch_.find(watch->second);
        if (indexed != byWatch_.end() && indexed->second.device == st.st_dev &&
            indexed->second.inode == st.st_ino)
            return &indexed->second;
        watchOf_.erase(watch);
    }
    if (byWatch_.size() >= kMostFolders) ForgetAll();
    // Watching starts before reading, so no change falls between the two; a change that
    // the reading already saw changes nothing when its notice is taken.
    const int watch = inotify_add_watch(notices_, folder.c_str(), kWatchedChanges);
    if (watch < 0) return nullptr;
    Folder& indexed = byWatch_[watch];
    indexed = Folder{st.st_dev, st.st_ino, {}};
    const bool read = ReadFolder(folder, [&](const std::string& entry) {
        indexed.names[ToUpperAscii(entry)].push_back(entry);
    });
    if (!read) {
        inotify_rm_watch(notices_, watch);
        byWatch_.erase(watch);
        return nullptr;
    }
    watchOf_[folder] = watch;
    return &indexed;
}

void FolderNames::TakeNotices() {
    alignas(inotify_event) char buffer[16384];
    // A read returns every waiting notice that fits; one that left room for the longest
    // notice has taken them all.
    constexpr ssize_t kLongestNotice = sizeof(inotify_event) + NAME_MAX + 1;
    for (ssize_t count = ssize_t(sizeof buffer); count > ssize_t(sizeof buffer) - kLongestNotice;) {
        count = read(notices_, buffer, sizeof buffer);
        if (count <= 0) return;
        for (ssize_t at = 0; at < count;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + notice->len);
            if (notice->mask & IN_Q_OVERFLOW) {
                ForgetAll();
                continue;
            }
            const auto indexed = byWatch_.find(notice->wd);
            if (indexed == byWatch_.end()) continue;
            if (notice->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                inotify_rm_watch(notices_, notice->wd);
                byWatch_.erase(indexed);
                continue;
            }
            if (notice->len == 0) continue;
            const std::string entry = notice->name;
            std::vector<std::string>& sameKey = indexed->second.names[ToUpperAscii(entry)];
            if (notice->mask & (IN_DELETE | IN_MOVED_FROM))
                sameKey.erase(std::remove(sameKey.begin(), sameKey.end(), entry), sameKey.end());
            if ((notice->mask & (IN_CREATE | IN_MOVED_TO)) &&
                std::find(sameKey.begin(), sameKey.end(), entry) == sameKey.end())
                sameKey.push_back(entry);
        }
    }
}

void FolderNames::ForgetAll() {
    for (const auto& [watch, folder] : byWatch_) inotify_rm_watch(notices_, watch);
    byWatch_.clear();
    watchOf_.clear();
}

}  // namespace plat

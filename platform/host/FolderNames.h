// The names in the machine's host folders, looked up without regard to letter case, as
// Windows looks names up. Reading a whole folder for every new name made creating n files
// in one folder cost n^2; instead each folder's names are read once into an index that the
// system's change notices (inotify) keep current, whoever makes the change. A folder whose
// notices cannot be had is read at every lookup, as before.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace plat {

class FolderNames {
public:
    FolderNames();
    ~FolderNames();
    FolderNames(const FolderNames&) = delete;
    FolderNames& operator=(const FolderNames&) = delete;

    // The name of an entry of the host folder `folder` that equals `name` when letter case
    // is ignored (the first one the folder lists, should there be several). `folderNow`,
    // when the caller has it, is what lstat said of the folder just before.
    std::optional<std::string> Find(const std::string& folder, const std::string& name,
                                    const struct stat* folderNow = nullptr);

private:
    struct Folder {
        dev_t device = 0;
        ino_t inode = 0;
        std::unordered_map<std::string, std::vector<std::string>> names;  // by upper-case name
    };
    // At most this many folders are watched; past it every index starts anew.
    static constexpr size_t kMostFolders = 256;

    Folder* Indexed(const std::string& folder, const struct stat* folderNow);
    void TakeNotices();
    void ForgetAll();

    int notices_ = -1;
    std::unordered_map<int, Folder> byWatch_;
    std::unordered_map<std::string, int> watchOf_;
};

}  // namespace plat

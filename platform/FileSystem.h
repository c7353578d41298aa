// Files, folders and disks, as the program sees them through the platform.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/NetworkDrives.h"

namespace plat {

// An open file. Reads and writes return the number of bytes moved, or -1 on error.
class File {
public:
    virtual ~File() = default;
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual bool Seek(int64_t position) = 0;
    virtual int64_t Position() = 0;
    virtual int64_t Size() = 0;
    // Cuts the file at the current position.
    virtual bool Truncate() = 0;
    // Sets the time of the last write from a DOS date and time (local time, two-second
    // steps), as an archive stores it; writes after it may change it again. False for a
    // date or time that does not exist, or a file that keeps no times.
    virtual bool SetDosTime(uint16_t /*dosDate*/, uint16_t /*dosTime*/) { return false; }
};

enum class OpenMode {
    Read,       // existing file, read only, others may read and write (deny none)
    ReadWrite,  // existing file, read and write
    Create,     // create or replace, read and write, exclusive
    CreateNew,  // a new file only: fails when the name is taken, even by a link
    Append,     // open or create, every write goes to the end
    AppendDurable,  // as Append, and every write is on the disk before it returns
};

enum class DriveType { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

struct DirEntry {
    std::string name;  // name within the folder, as stored
    bool isDirectory = false;
    int64_t size = 0;
    // Hidden or system: a listing that asks only for ordinary folders leaves it out.
    bool hidden = false;
};

class FileSystem {
public:
    virtual bool FileExists(const std::string& path) = 0;        // a file, not a folder
    virtual bool DirectoryExists(const std::string& path) = 0;
    virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Renames within one drive; replaces an existing target when `replace` is set.
    virtual bool RenameFile(const std::string& from, const std::string& to, bool replace) = 0;
    virtual bool MakeDirectory(const std::string& path) = 0;   // one level
    virtual bool RemoveEmptyDirectory(const std::string& path) = 0;   // empty folder
    // Marks a file to be removed when the system next starts (a running program's own
    // file, which cannot go while it runs).
    virtual bool RemoveFileAtRestart(const std::string& /*path*/) { return false; }
    virtual std::vector<DirEntry> ListDirectory(const std::string& path) = 0;
    virtual std::string CurrentDirectory() = 0;
    virtual bool ChangeDirectory(const std::string& path) = 0;
    // Bytes this program may still write on the drive that holds `path` (a folder or a
    // file that exists); nothing when the drive cannot say.
    virtual std::optional<uint64_t> FreeSpace(const std::string& path) = 0;
    // True when another program holds the file open so that it can be neither written
    // nor replaced now (a running program's own file on Windows, a file opened without
    // sharing). False for a file that does not exist.
    virtual bool FileInUse(const std::string& path) = 0;
    virtual DriveType DriveTypeOf(const std::string& root) = 0;  // "A:\"

    // The network drives this program sees, with their shares: what a program that runs
    // as the person hands on to one that runs with administrator rights.
    virtual NetworkDrives MappedNetworkDrives() { return {}; }
    // From now on a path on a letter of `drives` that this program does not see is
    // reached through that letter's share, by every operation of this facet.
    virtual void ReachLettersThrough(const NetworkDrives& /*drives*/) {}

    // Renames, removals and creations wait a little for a file that another program holds
    // (HeldFiles.h); `watcher` is told the file's path once for each operation that had
    // to wait, whatever its outcome.
    using HeldFileWatcher = std::function<void(const std::string& path)>;
    void WatchHeldFiles(HeldFileWatcher watcher) { heldFileWatcher_ = std::move(watcher); }

protected:
    // A facet lives and goes with the whole platform, never on its own.
    ~FileSystem() = default;
    void TellWaitingFor(const std::string& path) {
        if (heldFileWatcher_) heldFileWatcher_(path);
    }

private:
    HeldFileWatcher heldFileWatcher_;
};

}  // namespace plat

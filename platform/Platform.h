// The operating-system boundary. Everything above this layer reaches files, the
// registry, WIN.INI, processes, DDE, run-time libraries and the clock only through
// `Platform`. Two implementations exist: the real Win32 calls (platform/win32) and a
// virtual Windows machine kept in a host folder (platform/host) for native tests and
// tools. Paths everywhere are Windows paths ("C:\Dir\File.ext"); both '\' and '/'
// separate, and names compare without regard to case on both implementations.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// What became of a DDE execute transaction.
enum class DdeResult {
    Executed,        // the server took the command (whether it carried it out is its own affair)
    NoConversation,  // no server accepted the conversation
    NoAnswer,        // the server accepted the conversation but did not finish the command in time
};

// Why a library could not be loaded; the database binding turns these into engine codes.
enum class LoadError { None, NotFound, OutOfMemory, Other };

class Library {
public:
    virtual ~Library() = default;
    virtual void* Symbol(const std::string& name) = 0;
    virtual void* Ordinal(int ordinal) = 0;
};

// Registry values are read and written under HKEY_LOCAL_MACHINE only.
class Platform {
public:
    virtual ~Platform() = default;

    // Files and folders.
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
    virtual bool SetFileDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) = 0;
    virtual std::string CurrentDirectory() = 0;
    virtual bool ChangeDirectory(const std::string& path) = 0;
    // Bytes this program may still write on the drive that holds `path` (a folder or a
    // file that exists); nothing when the drive cannot say.
    virtual std::optional<uint64_t> FreeSpace(const std::string& path) = 0;
    // True when another program holds the file open so that it can be neither written
    // nor replaced now (a running program's own file on Windows, a file opened without
    // sharing). False for a file that does not exist.
    virtual bool FileInUse(const std::string& path) = 0;

    // Where things are.
    virtual std::string ModuleFileName() = 0;  // full path of the running program
    virtual std::optional<std::string> Environment(const std::string& name) = 0;
    virtual std::string WindowsDirectory() = 0;
    virtual DriveType DriveTypeOf(const std::string& root) = 0;  // "A:\"

    // Registry under HKEY_LOCAL_MACHINE; `key` like "Software\\Borland\\Database Engine".
    virtual bool RegistryKeyExists(const std::string& key) = 0;
    virtual std::optional<std::string> RegistryReadString(const std::string& key,
                                                          const std::string& value) = 0;
    virtual bool RegistryWriteString(const std::string& key, const std::string& value,
                                     const std::string& data) = 0;
    virtual std::optional<uint32_t> RegistryReadDword(const std::string& key,
                                                      const std::string& value) = 0;
    virtual bool RegistryWriteDword(const std::string& key, const std::string& value,
                                    uint32_t data) = 0;
    // Removing what was written: true once it is gone, also when it was never there. A
    // key goes only while it holds neither values nor keys. A platform without a
    // registry removes nothing.
    virtual bool RegistryDeleteValue(const std::string& /*key*/, const std::string& /*value*/) { return false; }
    virtual bool RegistryDeleteEmptyKey(const std::string& /*key*/) { return false; }

    // The user's profile, WIN.INI.
    virtual std::string ProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) = 0;
    virtual bool WriteProfile(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
    // Removes the key; a section left without keys goes with it. True once it is gone.
    virtual bool RemoveProfileValue(const std::string& /*section*/, const std::string& /*key*/) { return false; }

    // Processes. `StartProgram` is WinExec: true when the program was started.
    // `RunAndWait` returns the exit code, or -1 when nothing could be started
    // (including a command line longer than `MaxCommandLine`).
    virtual bool StartProgram(const std::string& commandLine, int showMode) = 0;
    virtual int64_t RunAndWait(const std::string& commandLine, int showMode) = 0;
    virtual size_t MaxCommandLine() = 0;

    // Dynamic Data Exchange: one execute transaction to service/topic (an empty topic is
    // none), waiting at most `timeoutMs` for the server to finish it.
    virtual DdeResult DdeExecute(const std::string& service, const std::string& topic,
                                 const std::string& command, uint32_t timeoutMs) = 0;

    // Run-time libraries: by path (or by bare name through the search order). Errors that
    // the loader would show in a box are suppressed; the result says why it failed.
    virtual std::unique_ptr<Library> OpenLibrary(const std::string& path, LoadError* error) = 0;

    // The text of a global memory handle that another module hands over (locked, copied,
    // unlocked; the handle stays its owner's).
    virtual std::string GlobalText(void* handle) = 0;

    // The platform's plain message dialog: the text, one OK button, the program's name as
    // title; returns when the user closed it. Not the kit's message box.
    virtual void ShowPlainMessage(const std::string& text) = 0;

    // Clock.
    virtual uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
    // The date in the user's short date format, a blank, the time in the long time format.
    virtual std::string FormatDateTime(const LocalTime& time) = 0;

    // Text in the system's OEM (DOS) code page, as UTF-8. By default IBM 437, the code
    // page of MS-DOS; Windows uses the code page the system is set up with.
    virtual std::string OemToUtf8(std::string_view text);
};

// The platform the program runs on; set once at start (or by a test).
Platform& Current();
void SetCurrent(Platform* platform);

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder();

// A whole file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `content` as the whole file `path` through `temporary` (a name in the same
// folder), which replaces `path` only once complete: `path` is never left half-written.
// False when it could not; `temporary` is gone then.
bool ReplaceWholeFile(const std::string& path, const std::string& temporary, const std::string& content);

}  // namespace plat

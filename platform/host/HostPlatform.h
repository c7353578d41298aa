// A virtual Windows machine kept in a host folder, for native tests and tools.
//
//   <root>/c, <root>/a, ...   drive letters (C: fixed by default; others added with types)
//   <root>/registry.txt       HKEY_LOCAL_MACHINE, one value a line
//   C:\WINDOWS\WIN.INI        the user's profile, a plain INI file on drive C:
//   <root>/journal.txt        programs started, one a line
//   <root>/dde.txt            DDE execute transactions: "service|topic", then the command's lines
//   shortcuts                 INI files named ".lnk" ([Shortcut] Target, Arguments, WorkingFolder)
//
// Names resolve without regard to case (an exact name is found first), '\' and '/' both
// separate, and the host's own root is drive Z:, so "/tmp/x" and "Z:\tmp\x" are one file.
// A name that begins with a dot is listed as hidden (as Wine shows it), and the root of
// a share (\\server\share\) is a network drive; a share added with AddShare holds files.
// Programs are either mapped to handlers or recorded in the journal; libraries are host
// shared objects (ordinal N is the symbol "torvex_ordinal_N"). Faults can be injected.
#pragma once

#include <ctime>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/host/FolderNames.h"

#include "platform/HeldFiles.h"
#include "platform/Platform.h"

namespace plat {

class HostPlatform : public Platform {
public:
    // Creates the root folder with drive C: (fixed), C:\WINDOWS and C:\TEMP; TEMP is set.
    explicit HostPlatform(const std::string& rootFolder);

    // --- set-up for tests and tools ---
    // Maps a drive letter to a host folder (default <root>/<letter>) with a drive type.
    void AddDrive(char letter, DriveType type, const std::string& hostFolder = "");
    // A share "\\SERVER\NAME" kept in a host folder (default <root>/share-server-name).
    void AddShare(const std::string& share, const std::string& hostFolder = "");
    // A network drive that the person connected to `share` (added first): its letter is
    // a drive of this machine, and MappedNetworkDrives names its share.
    void ConnectDrive(char letter, const std::string& share);
    // The letter is no drive of this program any more (one started with administrator
    // rights does not see the person's connections).
    void RemoveDrive(char letter);
    void SetModuleFileName(const std::string& windowsPath) { moduleFileName_ = windowsPath; }
    void SetEnvironment(const std::string& name, const std::string& value);
    void UnsetEnvironment(const std::string& name);
    // A program whose file name (without folder, any case, ".EXE" optional) is `name`
    // runs `handler` with the whole command line; its result is the exit code.
    using ProgramHandler = std::function<int64_t(const std::string& commandLine)>;
    void MapProgram(const std::string& name, ProgramHandler handler);
    void SetMaxCommandLine(size_t limit) { maxCommandLine_ = limit; }
    // The rights of this program's token (it has them unless told otherwise), and the
    // person's answer to the prompt of StartElevated (yes unless told otherwise).
    void SetAdministratorRights(bool has) { administrator_ = has; }
    void RefuseElevation(bool refuse) { refuseElevation_ = refuse; }
    // The generator's numbers from now on follow from `seed`.
    void SeedRandom(uint64_t seed) { random_.seed(seed); }
    // What the DDE server does with the next transactions (by default it executes them).
    void SetDdeBehaviour(DdeResult behaviour) { ddeBehaviour_ = behaviour; }
    // The Start Menu's common Programs folder (made when first asked for); none: the
    // machine has no Start Menu.
    void SetCommonProgramsFolder(std::optional<std::string> folder) { commonPrograms_ = std::move(folder); }
    // The code page of the machine's 8-bit programs: 1252, or another of AnsiCodePage.h.
    void SetAnsiCodePage(unsigned codePage) { ansiCodePage_ = codePage; }
    // The tick count moves only this way.
    void AdvanceTicks(uint32_t milliseconds) { tickOffset_ += milliseconds; }
    void SetFixedTime(const LocalTime& time) { fixedTime_ = time; hasFixedTime_ = true; }

    // Faults: writes to files whose Windows path contains `pathPart` (any case) fail once
    // `bytes` bytes went to that file; creating a folder with this path fails; opening fails.
    void FailWritesAfter(const std::string& pathPart, int64_t bytes);
    void FailCreateDirectory(const std::string& windowsPath);
    void FailOpen(const std::string& windowsPath);
    void ClearFaults();
    // Every change made to the disks counts as one operation, from 1: a file opened to
    // write, each write, a rename, a removal, a folder made or removed, a registry or
    // WIN.INI value written.
    // FailOperation(n): operation n fails once and changes nothing.
    // StopAtOperation(n): operation n and all that follow fail: the program was killed
    // there, and nothing it does afterwards reaches the disks.
    uint64_t Operations() const { return operations_; }
    void FailOperation(uint64_t n) { failOperation_ = n; }
    void StopAtOperation(uint64_t n) { stopAtOperation_ = n; }
    // A drive that holds at most `bytes` (the sizes of its files): FreeSpace says what is
    // left, and a write past it fails as on a full disk.
    void SetDriveQuota(char letter, uint64_t bytes);
    // A file another program holds open without sharing: FileInUse says so, and it can
    // be neither opened to write, renamed nor removed until released.
    void HoldFile(const std::string& windowsPath);
    // The same hold, let go once the machine's clock has gone on `milliseconds`.
    void HoldFileFor(const std::string& windowsPath, uint32_t milliseconds);
    // How long file operations paused in all for files that were held.
    uint64_t PausedMs() const { return pausedMs_; }
    // A claimed name (ClaimName) that another program of the machine holds.
    void HoldName(const std::string& name) { heldNames_.push_back(name); }
    void ReleaseFile(const std::string& windowsPath);

    // --- inspection ---
    std::string HostPath(const std::string& windowsPath);  // where a Windows path lives
    static std::string WindowsPathOfHost(const std::string& hostPath);  // "/a/b" -> "Z:\a\b"
    std::vector<std::string> Journal() const { return journal_; }
    // Every library that was loaded, by the path it was found at.
    const std::vector<std::string>& LibrariesLoaded() const { return librariesLoaded_; }
    struct DdeConversation {
        std::string service, topic;
        std::vector<std::string> commands;  // one execute transaction each
        uint32_t timeoutMs;
    };
    // Conversations a server took, with the transactions that reached it (executed, or
    // the last one refused or left unanswered).
    const std::vector<DdeConversation>& DdeJournal() const { return ddeJournal_; }
    const std::string& Root() const { return root_; }
    // A shortcut SaveShortcut wrote; nothing when there is none at `path`.
    std::optional<Shortcut> ShortcutAt(const std::string& path);

    // --- Platform, one facet a file: HostFiles, HostRegistry, HostProfile, HostProcesses,
    // HostLibraries, HostSystem and HostStartMenu.cpp ---
    // Files, folders and disks.
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
    bool RemoveFile(const std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to, bool replace) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    bool RemoveFileAtRestart(const std::string& path) override;
    std::vector<DirEntry> ListDirectory(const std::string& path) override;
    std::string CurrentDirectory() override { return currentDirectory_; }
    bool ChangeDirectory(const std::string& path) override;
    std::optional<uint64_t> FreeSpace(const std::string& path) override;
    bool FileInUse(const std::string& path) override;
    DriveType DriveTypeOf(const std::string& root) override;
    NetworkDrives MappedNetworkDrives() override;
    void ReachLettersThrough(const NetworkDrives& drives) override;
    // Registry.
    bool RegistryKeyExists(const std::string& key) override;
    std::optional<std::string> RegistryReadString(const std::string& key,
                                                  const std::string& value) override;
    bool RegistryWriteString(const std::string& key, const std::string& value,
                             const std::string& data) override;
    std::optional<uint32_t> RegistryReadDword(const std::string& key,
                                              const std::string& value) override;
    bool RegistryWriteDword(const std::string& key, const std::string& value,
                            uint32_t data) override;
    bool RegistryDeleteValue(const std::string& key, const std::string& value) override;
    bool RegistryDeleteEmptyKey(const std::string& key) override;
    // WIN.INI.
    std::string ProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue) override;
    bool WriteProfile(const std::string& section, const std::string& key,
                            const std::string& value) override;
    bool RemoveProfileValue(const std::string& section, const std::string& key) override;
    // Processes and DDE.
    bool StartProgram(const std::string& commandLine, int showMode) override;
    int64_t RunAndWait(const std::string& commandLine, int showMode) override;
    size_t MaxCommandLine() override { return maxCommandLine_; }
    // Noted in the journal as "RUNAS " and the command line; refused, it starts nothing.
    ElevatedRun StartElevated(const std::string& program, const std::string& parameters, int showMode,
                              bool wait) override;
    DdeResult DdeExecute(const std::string& service, const std::string& topic,
                         const std::vector<std::string>& commands, uint32_t timeoutMs) override;
    // Libraries.
    std::unique_ptr<Library> OpenLibrary(const std::string& path, LoadError* error) override;
    std::string GlobalText(void* handle) override;
    // The rest of the system.
    std::string ModuleFileName() override { return moduleFileName_; }
    std::optional<std::string> Environment(const std::string& name) override;
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
    bool HasAdministratorRights() override { return administrator_; }
    void RandomBytes(void* buffer, size_t count) override;
    // Noted in the journal as "MESSAGE " + text; nobody has to close it.
    void ShowPlainMessage(const std::string& text) override;
    // Granted unless the name is held (HoldName), or claimed and not yet let go; waits
    // for nothing, as no other program of this machine ever lets go meanwhile.
    std::unique_ptr<Claim> ClaimName(const std::string& name, uint32_t waitMs) override;
    uint32_t TickCount() override;
    LocalTime Now() override;
    std::string FormatDateTime(const LocalTime& time) override;
    unsigned AnsiCodePage() override { return ansiCodePage_; }
    // The Start Menu.
    std::optional<std::string> CommonProgramsFolder() override;
    bool SaveShortcut(const std::string& path, const Shortcut& shortcut) override;

private:
    struct Drive {
        DriveType type;
        std::string hostFolder;
        std::optional<uint64_t> quota;
    };
    friend class HostFile;
    // Counts one change to the disks; false when it is to fail (see FailOperation).
    bool NextOperation();
    // Whether `bytes` more fit on the drive of the host file `hostPath`.
    bool Fits(const std::string& hostPath, int64_t bytes) const;
    // The host's time of a DOS date and time in local time; nothing for one that does
    // not exist.
    std::optional<std::time_t> HostTimeOf(uint16_t dosDate, uint16_t dosTime);
    bool IsHeld(const std::string& path);
    // `attempt` under the rule for files that another program holds a moment.
    bool WaitingWhileHeld(const std::string& path, const std::function<FileAttempt()>& attempt);
    struct WriteFault {
        std::string pathPart;
        int64_t bytes;
    };
    struct RegistryValue {
        bool isDword;
        std::string data;
    };

    // A full path "X:\a\b" (or "\\server\share\a") as written, and as this program reaches it.
    std::string Spelled(const std::string& windowsPath) const;
    std::string Absolute(const std::string& windowsPath) const;
    // A Windows path on the host with every name as written, before any look-up of names
    // in another case: `exact`, the drive's host folder and the names below it.
    struct WrittenPath {
        std::string exact;
        std::string driveFolder;
        std::vector<std::string> names;
    };
    WrittenPath AsWritten(const std::string& windowsPath) const;
    // The names of a path below `driveFolder`, with "." and ".." taken away.
    static WrittenPath Below(const std::string& driveFolder, const std::vector<std::string>& parts, size_t first);
    std::string EntryName(const std::string& folder, const std::string& name);
    void Note(const std::string& line);
    void LoadRegistry();
    void SaveRegistry();
    int64_t WriteLimitFor(const std::string& windowsPath) const;
    bool IsFaulty(const std::vector<std::string>& list, const std::string& path) const;
    std::optional<int64_t> Run(const std::string& asGiven);

    std::string root_;
    std::map<char, Drive> drives_;
    std::map<std::string, std::string> shares_;  // upper-case "\\SERVER\NAME" -> host folder
    NetworkDrives connected_;                     // the person's network drives
    LettersOnShares unseenLetters_;
    std::string currentDirectory_ = "C:\\";
    std::string moduleFileName_ = "C:\\INSTALL.EXE";
    std::map<std::string, std::string> environment_;  // upper-case names
    std::map<std::string, ProgramHandler> programs_;  // upper-case file names without ".EXE"
    // Keys and value names are stored upper-case; a key exists once anything was written.
    std::map<std::string, std::map<std::string, RegistryValue>> registry_;
    std::vector<std::string> journal_;
    std::vector<WriteFault> writeFaults_;
    std::vector<std::string> failCreate_, failOpen_;
    struct Hold {
        std::string path;              // upper-case absolute Windows path
        std::optional<uint32_t> until;  // the tick it ends at; none: until released
    };
    std::vector<Hold> held_;
    uint64_t pausedMs_ = 0;
    HeldFileWaits heldFileWaits_;
    std::vector<std::string> heldNames_;
    uint64_t operations_ = 0, failOperation_ = 0, stopAtOperation_ = 0;
    size_t maxCommandLine_ = 32767;
    bool administrator_ = true, refuseElevation_ = false;
    std::mt19937_64 random_{std::random_device{}()};
    std::vector<std::string> librariesLoaded_;
    std::vector<DdeConversation> ddeJournal_;
    DdeResult ddeBehaviour_ = DdeResult::Executed;
    std::optional<std::string> commonPrograms_ = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    static constexpr uint32_t kStartTicks = 60000;  // a minute after the machine started
    uint32_t tickOffset_ = 0;
    unsigned ansiCodePage_ = kCodePageWestern;
    LocalTime fixedTime_;
    bool hasFixedTime_ = false;
    FolderNames folderNames_;
    // The last minute of local time converted by HostTimeOf: DOS date and time with the
    // seconds cleared, and the time it starts.
    struct {
        uint32_t key = ~0u;
        std::time_t start = 0;
    } lastMinute_;
};

}  // namespace plat

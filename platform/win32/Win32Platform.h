// The real operating system: Win32 calls. Strings cross this boundary as UTF-8 and are
// handed to the wide-character API.
#pragma once

#include <functional>

#include "platform/HeldFiles.h"
#include "platform/Platform.h"

namespace plat {

// One file a facet: Win32Files, Win32Registry, Win32Profile, Win32Processes,
// Win32Libraries, Win32System and Win32StartMenu.cpp.
class Win32Platform final : public Platform {
public:
    // Libraries that the system loads for this program come from the system folder.
    Win32Platform();

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
    std::string CurrentDirectory() override;
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
    size_t MaxCommandLine() override { return 32767 - 1; }
    ElevatedRun StartElevated(const std::string& program, const std::string& parameters, int showMode,
                              bool wait) override;
    DdeResult DdeExecute(const std::string& service, const std::string& topic,
                         const std::vector<std::string>& commands, uint32_t timeoutMs) override;
    // Libraries.
    std::unique_ptr<Library> OpenLibrary(const std::string& path, LoadError* error) override;
    std::string GlobalText(void* handle) override;
    // The rest of the system.
    std::string ModuleFileName() override;
    std::optional<std::string> Environment(const std::string& name) override;
    std::string WindowsDirectory() override;
    bool HasAdministratorRights() override;
    void RandomBytes(void* buffer, size_t count) override;
    void SilenceDriveErrorBoxes() override;
    void ShowPlainMessage(const std::string& text) override;
    std::unique_ptr<Claim> ClaimName(const std::string& name, uint32_t waitMs) override;
    uint32_t TickCount() override;
    LocalTime Now() override;
    std::string FormatDateTime(const LocalTime& time) override;
    std::string OemToUtf8(std::string_view text) override;
    // The ANSI code page, in Win32AnsiText.cpp.
    unsigned AnsiCodePage() override;
    AnsiText Utf8ToAnsi(std::string_view text) override;
    std::string AnsiToUtf8(std::string_view text) override;
    // The Start Menu.
    std::optional<std::string> CommonProgramsFolder() override;
    bool SaveShortcut(const std::string& path, const Shortcut& shortcut) override;

private:
    // A path as the system's calls take it: on a letter this program does not see, the
    // path on that letter's share.
    std::wstring Native(const std::string& path) const;
    // `attempt` under the rule for files that another program holds a moment; `heldPath`
    // names the file for the watcher.
    bool WaitingWhileHeld(const std::function<std::string()>& heldPath, const std::function<FileAttempt()>& attempt);

    LettersOnShares shares_;
    HeldFileWaits heldFileWaits_;
};

}  // namespace plat

// A Windows machine whose files and folders live in memory, for fuzzing the archive walk
// at thousands of inputs a second. Paths follow the program's rules (drive letters, '\'
// and '/' both separate, names without regard to case, "." and ".." resolved); a file
// can only be made in a folder that exists. Only drive C: exists, with C:\WINDOWS and
// C:\TEMP. Files hold at most `kFileLimit` bytes: a longer write fails, as on a full
// disk. Everything outside files and folders answers as a bare machine would.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace unzip_fuzz {

class MemoryPlatform : public plat::Platform {
public:
    static constexpr int64_t kFileLimit = 1 << 20;

    MemoryPlatform();

    // Everything under `folder` goes; true when nothing else than `folder` and the
    // machine's first folders exist (nothing was written outside it).
    bool OnlyUnder(const std::string& folder) const;
    void RemoveTree(const std::string& folder);

    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<plat::File> Open(const std::string& path, plat::OpenMode mode) override;
    bool RemoveFile(const std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to, bool replace) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    std::vector<plat::DirEntry> ListDirectory(const std::string& path) override;
    std::string CurrentDirectory() override { return current_; }
    bool ChangeDirectory(const std::string& path) override;
    std::optional<uint64_t> FreeSpace(const std::string&) override { return std::nullopt; }
    bool FileInUse(const std::string&) override { return false; }

    std::string ModuleFileName() override { return "C:\\INSTALL.EXE"; }
    std::optional<std::string> Environment(const std::string&) override { return std::nullopt; }
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
    plat::DriveType DriveTypeOf(const std::string& root) override;
    bool RegistryKeyExists(const std::string&) override { return false; }
    std::optional<std::string> RegistryReadString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool RegistryWriteString(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    std::optional<uint32_t> RegistryReadDword(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool RegistryWriteDword(const std::string&, const std::string&, uint32_t) override { return false; }
    std::string ProfileString(const std::string&, const std::string&, const std::string& value) override {
        return value;
    }
    bool WriteProfile(const std::string&, const std::string&, const std::string&) override { return false; }
    bool StartProgram(const std::string&, int) override { return false; }
    int64_t RunAndWait(const std::string&, int) override { return -1; }
    size_t MaxCommandLine() override { return 32767; }
    plat::DdeResult DdeExecute(const std::string&, const std::string&, const std::vector<std::string>&,
                               uint32_t) override {
        return plat::DdeResult::NoConversation;
    }
    std::unique_ptr<plat::Library> OpenLibrary(const std::string&, plat::LoadError* error) override {
        if (error) *error = plat::LoadError::NotFound;
        return nullptr;
    }
    std::string GlobalText(void*) override { return {}; }
    void ShowPlainMessage(const std::string&) override {}
    uint32_t TickCount() override { return ++ticks_; }
    plat::LocalTime Now() override { return {}; }
    std::string FormatDateTime(const plat::LocalTime&) override { return {}; }

private:
    // The key of a path: absolute, resolved, upper case, without a trailing separator;
    // empty for a path on another drive than C:.
    std::string Key(const std::string& path) const;
    bool ParentExists(const std::string& key) const;

    std::map<std::string, std::shared_ptr<std::string>> files_;
    std::set<std::string> folders_;
    std::string current_ = "C:\\";
    uint32_t ticks_ = 0;
};

}  // namespace unzip_fuzz

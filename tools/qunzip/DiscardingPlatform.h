// A platform that passes everything to another one, except that files under one folder
// prefix are thrown away as they are written: what `qunzip t` uses to decode and check
// every member without writing anything.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace qunzip {

class DiscardingPlatform : public plat::Platform {
public:
    DiscardingPlatform(plat::Platform& inner, std::string discardedFolder);

    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<plat::File> Open(const std::string& path, plat::OpenMode mode) override;
    bool RemoveFile(const std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to, bool replace) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    std::vector<plat::DirEntry> ListDirectory(const std::string& path) override;
    std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
    bool ChangeDirectory(const std::string& path) override;
    std::optional<uint64_t> FreeSpace(const std::string& path) override { return inner_.FreeSpace(path); }
    bool FileInUse(const std::string& path) override { return inner_.FileInUse(path); }

    std::string ModuleFileName() override { return inner_.ModuleFileName(); }
    std::optional<std::string> Environment(const std::string& name) override {
        return inner_.Environment(name);
    }
    std::string WindowsDirectory() override { return inner_.WindowsDirectory(); }
    plat::DriveType DriveTypeOf(const std::string& root) override { return inner_.DriveTypeOf(root); }
    bool RegistryKeyExists(const std::string& key) override { return inner_.RegistryKeyExists(key); }
    std::optional<std::string> RegistryReadString(const std::string& key,
                                                  const std::string& value) override {
        return inner_.RegistryReadString(key, value);
    }
    bool RegistryWriteString(const std::string& key, const std::string& value,
                             const std::string& data) override {
        return inner_.RegistryWriteString(key, value, data);
    }
    std::optional<uint32_t> RegistryReadDword(const std::string& key,
                                              const std::string& value) override {
        return inner_.RegistryReadDword(key, value);
    }
    bool RegistryWriteDword(const std::string& key, const std::string& value,
                            uint32_t data) override {
        return inner_.RegistryWriteDword(key, value, data);
    }
    std::string ProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue) override {
        return inner_.ProfileString(section, key, defaultValue);
    }
    bool WriteProfile(const std::string& section, const std::string& key,
                      const std::string& value) override {
        return inner_.WriteProfile(section, key, value);
    }
    bool StartProgram(const std::string& commandLine, int showMode) override {
        return inner_.StartProgram(commandLine, showMode);
    }
    int64_t RunAndWait(const std::string& commandLine, int showMode) override {
        return inner_.RunAndWait(commandLine, showMode);
    }
    size_t MaxCommandLine() override { return inner_.MaxCommandLine(); }
    plat::DdeResult DdeExecute(const std::string& service, const std::string& topic,
                               const std::vector<std::string>& commands, uint32_t timeoutMs) override {
        return inner_.DdeExecute(service, topic, commands, timeoutMs);
    }
    std::unique_ptr<plat::Library> OpenLibrary(const std::string& path,
                                               plat::LoadError* error) override {
        return inner_.OpenLibrary(path, error);
    }
    std::string GlobalText(void* handle) override { return inner_.GlobalText(handle); }
    void ShowPlainMessage(const std::string& text) override { inner_.ShowPlainMessage(text); }
    uint32_t TickCount() override { return inner_.TickCount(); }
    plat::LocalTime Now() override { return inner_.Now(); }
    std::string OemToUtf8(std::string_view text) override { return inner_.OemToUtf8(text); }
    unsigned AnsiCodePage() override { return inner_.AnsiCodePage(); }
    plat::AnsiText Utf8ToAnsi(std::string_view text) override { return inner_.Utf8ToAnsi(text); }
    std::string AnsiToUtf8(std::string_view text) override { return inner_.AnsiToUtf8(text); }
    std::string FormatDateTime(const plat::LocalTime& time) override {
        return inner_.FormatDateTime(time);
    }

private:
    bool IsDiscarded(const std::string& path) const;

    plat::Platform& inner_;
    std::string discardedFolder_;
};

}  // namespace qunzip

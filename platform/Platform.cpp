#include "platform/Platform.h"

#include <cstdlib>
#include <cstdio>

#include "platform/DosCodePage.h"
#include "platform/Paths.h"

namespace plat {

namespace {
Platform* current = nullptr;
}

Platform& Current() {
    if (!current) {
        std::fputs("internal error: no platform was set up\n", stderr);
        std::abort();
    }
    return *current;
}

void SetCurrent(Platform* platform) { current = platform; }

std::string System::OemToUtf8(std::string_view text) { return Cp437ToUtf8(text); }

std::unique_ptr<System::Claim> System::ClaimName(const std::string&, uint32_t) { return std::make_unique<Claim>(); }

std::string ProgramFolder() { return IncludeTrailingBackslash(ExtractFilePath(Current().ModuleFileName())); }

std::optional<std::string> ReadWholeFile(const std::string& path) {
    auto file = Current().Open(path, OpenMode::Read);
    if (!file) return std::nullopt;
    const int64_t size = file->Size();
    if (size < 0) return std::nullopt;
    std::string content(static_cast<size_t>(size), '\0');
    if (file->Read(content.data(), size) != size) return std::nullopt;
    return content;
}

bool ReplaceWholeFile(const std::string& path, const std::string& temporary, const std::string& content) {
    Platform& platform = Current();
    bool written = false;
    if (auto file = platform.Open(temporary, OpenMode::Create)) {
        const auto size = static_cast<int64_t>(content.size());
        written = file->Write(content.data(), size) == size;
    }
    if (written && platform.RenameFile(temporary, path, true)) return true;
    platform.RemoveFile(temporary);
    return false;
}

}  // namespace plat

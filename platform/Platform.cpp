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

AnsiText System::Utf8ToAnsi(std::string_view text) { return Utf8ToCodePage(AnsiCodePage(), text); }

std::string System::AnsiToUtf8(std::string_view text) { return CodePageToUtf8(AnsiCodePage(), text); }

// Only for a platform without a generator of its own (a tool's), and as the last resort of
// one whose generator failed: the clock and the place of the buffer, stirred.
void System::RandomBytes(void* buffer, size_t count) {
    uint64_t state = (uint64_t(TickCount()) << 32) ^ reinterpret_cast<uintptr_t>(buffer);
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (size_t i = 0; i < count; ++i) {
        // splitmix64
        uint64_t mixed = (state += 0x9E3779B97F4A7C15ull);
        mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ull;
        mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBull;
        bytes[i] = static_cast<unsigned char>(mixed ^ (mixed >> 31));
    }
}

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

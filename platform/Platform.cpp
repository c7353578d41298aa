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

std::string Platform::OemToUtf8(std::string_view text) { return Cp437ToUtf8(text); }

std::string ProgramFolder() { return IncludeTrailingBackslash(ExtractFilePath(Current().ModuleFileName())); }

}  // namespace plat

// INSTALL.EXE: wires the real platform and the real user interface to the installer core.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/Log.h"
#include "core/Startup.h"
#include "pages/wizard/PageTable.h"
#include "pages/uninstall/UninstallRun.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WideText.h"
#include "ui/Application.h"

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    plat::LocalMemory<LPWSTR> words(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!words) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(plat::Narrow(words.get()[i]));
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    static plat::Win32Platform platform;
    plat::SetCurrent(&platform);
    core::PrepareProcess();
    ui::UseWin32Backend(instance);
    return core::RunInstaller(Arguments(), pages::PageTable(), pages::RunUninstall);
}

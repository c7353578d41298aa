// Starting programs, and DDE with a running one.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <optional>

#include "platform/win32/DdeClient.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

// A started process and its main thread, both released when it goes.
struct StartedProcess {
    KernelHandle process, thread;
};

// Starts the command line with the given show mode; none when it cannot start (a
// command line longer than the platform accepts included: it is refused, never cut).
std::optional<StartedProcess> Start(const std::string& commandLine, int showMode, DWORD flags, size_t longest) {
    std::wstring line = Widen(commandLine);
    if (line.size() > longest) return std::nullopt;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &started))
        return std::nullopt;
    return StartedProcess{KernelHandle(started.hProcess), KernelHandle(started.hThread)};
}

}  // namespace

bool Win32Platform::StartProgram(const std::string& commandLine, int showMode) {
    // WinExec takes an ANSI command line; the wide CreateProcess keeps every character.
    return Start(commandLine, showMode, 0, MaxCommandLine()).has_value();
}

int64_t Win32Platform::RunAndWait(const std::string& commandLine, int showMode) {
    auto started = Start(commandLine, showMode, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, MaxCommandLine());
    if (!started) return -1;
    WaitForSingleObject(started->process.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(started->process.get(), &exitCode);
    return static_cast<int32_t>(exitCode);
}

DdeResult Win32Platform::DdeExecute(const std::string& service, const std::string& topic,
                                    const std::string& command, uint32_t timeoutMs) {
    return DdeExecuteOnce(service, topic, command, timeoutMs);
}

}  // namespace plat

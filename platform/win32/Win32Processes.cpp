// Starting programs, and DDE with a running one.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

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
    return Start(shares_.ReachInCommandLine(commandLine), showMode, 0, MaxCommandLine()).has_value();
}

int64_t Win32Platform::RunAndWait(const std::string& commandLine, int showMode) {
    auto started = Start(shares_.ReachInCommandLine(commandLine), showMode, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, MaxCommandLine());
    if (!started) return -1;
    WaitForSingleObject(started->process.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(started->process.get(), &exitCode);
    return static_cast<int32_t>(exitCode);
}

ElevatedRun Win32Platform::StartElevated(const std::string& program, const std::string& parameters, int showMode,
                                         bool wait) {
    const std::wstring file = Native(program), arguments = Widen(parameters);
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof(start);
    // The process handle, to wait for it; done before returning, since this program may
    // end right after; failures told by this program, not by the shell's own boxes.
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    start.hwnd = GetActiveWindow();
    start.lpVerb = L"runas";  // the prompt; none when this program has the rights already
    start.lpFile = file.c_str();
    start.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    start.nShow = showMode;
    if (!ShellExecuteExW(&start))
        return {GetLastError() == ERROR_CANCELLED ? ElevatedStart::Refused : ElevatedStart::Failed, -1};
    KernelHandle process(start.hProcess);
    ElevatedRun run{ElevatedStart::Started, -1};
    if (wait && process) {
        WaitForSingleObject(process.get(), INFINITE);
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.get(), &exitCode)) run.exitCode = static_cast<int32_t>(exitCode);
    }
    return run;
}

DdeResult Win32Platform::DdeExecute(const std::string& service, const std::string& topic,
                                    const std::vector<std::string>& commands, uint32_t timeoutMs) {
    return DdeExecuteEach(service, topic, commands, timeoutMs);
}

}  // namespace plat

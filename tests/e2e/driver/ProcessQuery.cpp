#include "tests/e2e/driver/ProcessQuery.h"

#include <tlhelp32.h>

#include <functional>

namespace tvdriver {
namespace {

struct Snapshot {
    HANDLE handle = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ~Snapshot() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

// Calls `visit` for each process until it returns true; true when one did.
bool AnyProcess(const std::function<bool(const PROCESSENTRY32W&)>& visit) {
    Snapshot snapshot;
    if (snapshot.handle == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.handle, &entry); more; more = Process32NextW(snapshot.handle, &entry)) {
        if (visit(entry)) return true;
    }
    return false;
}

}  // namespace

bool ProcessRunning(std::wstring_view exeName) {
    const std::wstring wanted(exeName);
    return AnyProcess([&](const PROCESSENTRY32W& entry) { return lstrcmpiW(entry.szExeFile, wanted.c_str()) == 0; });
}

std::wstring ProcessNameOfWindow(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    std::wstring name;
    AnyProcess([&](const PROCESSENTRY32W& entry) {
        if (entry.th32ProcessID != processId) return false;
        name = entry.szExeFile;
        return true;
    });
    return name;
}

}  // namespace tvdriver

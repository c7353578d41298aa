#include "tests/e2e/driver/Wait.h"

#include <windows.h>

namespace tvdriver {

bool WaitUntil(double seconds, const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
    while (true) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(kPollIntervalMs);
    }
}

}  // namespace tvdriver

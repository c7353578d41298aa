// Windows processes by the name of their program file ("INSTTORV.EXE"), compared
// without regard to case. A relaunched program is not a child of the harness's shell,
// so it is watched from inside Wine.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tvdriver {

bool ProcessRunning(std::wstring_view exeName);

// The program file name of the process that owns `window`, or empty.
std::wstring ProcessNameOfWindow(HWND window);

}  // namespace tvdriver

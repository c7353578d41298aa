// Clicking a control of another program without moving the mouse.
#pragma once

#include <windows.h>

namespace tvdriver {

// Push buttons get BM_CLICK; any other control gets a left button press and release
// at the middle of its client area. Both are posted, so a click that opens a modal
// window does not block the driver.
bool ClickControl(HWND control);

}  // namespace tvdriver

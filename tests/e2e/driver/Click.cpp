#include "tests/e2e/driver/Click.h"

#include <string>

#include "tests/e2e/driver/WindowQuery.h"

namespace tvdriver {

bool ClickControl(HWND control) {
    if (lstrcmpiW(ClassNameOf(control).c_str(), L"Button") == 0) {
        return PostMessageW(control, BM_CLICK, 0, 0) != 0;
    }
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    return PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle) != 0 &&
           PostMessageW(control, WM_LBUTTONUP, 0, middle) != 0;
}

}  // namespace tvdriver

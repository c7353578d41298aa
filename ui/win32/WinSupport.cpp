#include "ui/win32/WinSupport.h"

#include <map>

#include "ui/Form.h"
#include "ui/MessageBox.h"

namespace ui::win32 {

COLORREF Ref(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return COLORREF(color & 0xFFFFFF);
}

HBRUSH BrushFor(COLORREF color) {
    static std::map<COLORREF, BrushHandle> brushes;
    BrushHandle& brush = brushes[color];
    if (!brush) brush.reset(CreateSolidBrush(color));
    return brush.get();
}

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(size_t(length));
    return text;
}

TShiftState ShiftNow() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

void ReportError(const char* what) {
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    try {
        ShowMessageBox(what, "", mtError, taCenter, Buttons({mbOK}), mbOK, 0);
    } catch (...) {
    }
    reporting = false;
}

void FocusArrived(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed) return;
    TForm* form = windowed->OwnerForm();
    if (!form || form->ActiveControl == windowed) return;
    TWinControl* previous = form->ActiveControl;
    form->ActiveControl = windowed;
    Guarded([&] {
        if (previous) previous->DoExit();
        windowed->DoEnter();
    });
}

}  // namespace ui::win32

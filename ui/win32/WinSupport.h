// What the real backend's peers share: colours and brushes, window texts, the keyboard's
// shift state, and running a control's handler so that its errors reach the user.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "ui/Control.h"
#include "ui/win32/GdiCanvas.h"

namespace ui::win32 {

COLORREF Ref(TColor color);
// A solid brush of the colour, kept for the life of the program.
HBRUSH BrushFor(COLORREF color);
std::wstring WindowText(HWND window);
TShiftState ShiftNow();

// Errors in a handler are shown to the user and the message loop goes on.
void ReportError(const char* what);

template <class Action>
void Guarded(Action action) {
    try {
        action();
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError("Eroare necunoscuta");
    }
}

// The platform moved the focus to the control's window: the form's active control
// follows, and the controls are told of it.
void FocusArrived(TControl& control);

}  // namespace ui::win32

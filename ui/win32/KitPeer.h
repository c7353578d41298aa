// Windows of the kit's own classes: everything the kit paints (labels, title bars,
// panels, gauges, images) and the containers among them. They paint through the GDI
// canvas without flicker, turn mouse presses into the control's events, and pass their
// child windows' notifications and colour requests on to the children's peers.
#pragma once

#include "ui/win32/Peer.h"

namespace ui::win32 {

// Window classes of the kit: top-level forms, and child controls.
constexpr wchar_t kFormClass[] = L"TorvexForm";
constexpr wchar_t kControlClass[] = L"TorvexControl";
void RegisterKitClasses(HINSTANCE instance);

class KitPeer : public Peer {
public:
    using Peer::Peer;
    // A message of the window; false leaves it to the platform's default handling.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Whether a press and release of the left button inside the window is a click.
    virtual bool ClickOnRelease() const { return true; }

private:
    void Paint();
    void MouseDown(UINT message, LPARAM lParam);
    bool MouseUp(LPARAM lParam);
};

// Paints a control into `target`, `width` x `height` pixels, through an off-screen
// bitmap, so nothing flickers; a transparent control first gets what lies under it.
// The control paints in units, scaled to the screen's pixels (ScaledCanvas.h).
void PaintBuffered(TControl& control, HDC target, int width, int height);

// The mouse capture ends with this window (it is going away).
void ForgetCapture(HWND window);

}  // namespace ui::win32

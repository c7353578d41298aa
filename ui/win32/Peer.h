// The window behind one control. A peer owns its window (destroyed with it) and what
// belongs to the window alone (its font, its items, its subclass procedure); it brings
// the window in step with the control's properties and turns the window's notifications
// into the control's events. Each kind of control has its own peer class, made through
// the registry of PeerRegistry.h.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/Control.h"
#include "ui/Dpi.h"
#include "ui/Font.h"

namespace ui::win32 {

class Peer {
public:
    Peer(TControl& control, HWND window);
    virtual ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    // The peer of a window made by the backend, if any.
    static Peer* Of(HWND window);

    TControl& Control() const { return control_; }
    HWND Window() const { return window_; }

    // Brings the window in step with the control: place, visibility, state, content, font.
    virtual void Sync();
    // A notification that the window sent to its parent (WM_COMMAND).
    virtual void Command(WORD /*code*/) {}
    // The parent asks an owner-drawn window to draw itself.
    virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}

    // The window's height on the platform, in units (a combo box's includes its
    // drop-down list).
    virtual int PlatformHeight() const { return control_.Height; }
    // Puts the window where the control lies, in pixels.
    void Place();

protected:
    // The kind's content: the window text by default.
    virtual void SyncContent();
    void SetWindowTextIfChanged(const std::string& text);
    // True while the peer itself changes the window's content: the change is not the user's.
    static bool Syncing();

private:
    void SyncFont();

    TControl& control_;
    HWND window_;
    std::optional<FontSpec> font_;
    std::optional<TPoint> placedOrigin_;
};

// The pixels of a control's window within its parent's, `height` units high.
TRect WindowRect(const TControl& control, int height, const DpiScale& scale);

// Creates a child window of the given class for a control: placed at the control's
// bounds (`height` units high), visible and enabled as the control is, topmost among
// its siblings.
HWND CreateChildWindow(TControl& control, HWND parent, HINSTANCE instance, const wchar_t* windowClass,
                       DWORD style, DWORD exStyle, int height);

}  // namespace ui::win32

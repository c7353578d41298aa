#include "ui/win32/Peer.h"

#include "ui/win32/WinSupport.h"

namespace ui::win32 {
namespace {

bool syncing = false;

struct SyncingScope {
    SyncingScope() { syncing = true; }
    ~SyncingScope() { syncing = false; }
};

}  // namespace

Peer::Peer(TControl& control, HWND window) : control_(control), window_(window) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    control_.Handle = window_;
}

Peer::~Peer() {
    control_.Handle = nullptr;
    if (!IsWindow(window_)) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

Peer* Peer::Of(HWND window) {
    return window ? reinterpret_cast<Peer*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

bool Peer::Syncing() { return syncing; }

void Peer::Sync() {
    SetWindowPos(window_, nullptr, control_.Left, control_.Top, control_.Width, PlatformHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != bool(control_.Visible)) ShowWindow(window_, control_.Visible ? SW_SHOWNA : SW_HIDE);
    EnableWindow(window_, control_.Enabled);
    {
        SyncingScope scope;
        SyncContent();
    }
    SyncFont();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void Peer::SyncContent() { SetWindowTextIfChanged(control_.PeerText()); }

void Peer::SetWindowTextIfChanged(const std::string& text) {
    std::wstring wide = Widen(text);
    if (WindowText(window_) != wide) SetWindowTextW(window_, wide.c_str());
}

void Peer::SyncFont() {
    const FontSpec font = control_.EffectiveFont();
    if (font_ && *font_ == font) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font)), FALSE);
    font_ = font;
}

HWND CreateChildWindow(TControl& control, HWND parent, HINSTANCE instance, const wchar_t* windowClass,
                       DWORD style, DWORD exStyle, int height) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control.Visible) style |= WS_VISIBLE;
    if (!control.Enabled) style |= WS_DISABLED;
    HWND window = CreateWindowExW(exStyle, windowClass, Widen(control.PeerText()).c_str(), style, control.Left,
                                  control.Top, control.Width, height, parent, nullptr, instance, nullptr);
    // Controls made later lie above the earlier ones.
    if (window) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return window;
}

}  // namespace ui::win32

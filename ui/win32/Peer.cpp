#include "ui/win32/Peer.h"

#include "ui/Dpi.h"
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
    Place();
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

void Peer::Place() {
    const DpiScale scale = ScreenScale();
    const TRect r = WindowRect(control_, PlatformHeight(), scale);
    SetWindowPos(window_, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // Scaled, a child's pixels relative to this window depend on where this control
    // lies in the form: when that moved, the children are placed again.
    const TPoint origin = OriginInForm(control_);
    if (scale.IsIdentity() || origin == placedOrigin_) return;
    placedOrigin_ = origin;
    if (const auto* container = dynamic_cast<const TWinControl*>(&control_))
        for (const auto& child : container->Controls())
            if (Peer* peer = Of(static_cast<HWND>(child->Handle))) peer->Place();
}

void Peer::SyncContent() { SetWindowTextIfChanged(control_.PeerText()); }

void Peer::SetWindowTextIfChanged(const std::string& text) {
    std::wstring wide = Widen(text);
    if (WindowText(window_) != wide) SetWindowTextW(window_, wide.c_str());
}

void Peer::SyncFont() {
    const FontSpec font = control_.EffectiveFont();
    if (font_ && *font_ == font) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(ScreenScale().Pixels(font))), FALSE);
    font_ = font;
}

TRect WindowRect(const TControl& control, int height, const DpiScale& scale) {
    TRect r = PixelBounds(control, scale);
    if (height != control.Height) r.Bottom = r.Top + scale.Pixels(height);
    return r;
}

HWND CreateChildWindow(TControl& control, HWND parent, HINSTANCE instance, const wchar_t* windowClass,
                       DWORD style, DWORD exStyle, int height) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control.Visible) style |= WS_VISIBLE;
    if (!control.Enabled) style |= WS_DISABLED;
    const TRect r = WindowRect(control, height, ScreenScale());
    HWND window = CreateWindowExW(exStyle, windowClass, Widen(control.PeerText()).c_str(), style, r.Left, r.Top,
                                  r.Width(), r.Height(), parent, nullptr, instance, nullptr);
    // Controls made later lie above the earlier ones.
    if (window) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return window;
}

}  // namespace ui::win32

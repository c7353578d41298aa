#include "ui/win32/FormPeer.h"

#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Dpi.h"
#include "ui/win32/WinSupport.h"

namespace ui::win32 {

void FormStyles(const TForm& form, DWORD& style, DWORD& exStyle) {
    style = WS_CLIPCHILDREN;
    exStyle = WS_EX_CONTROLPARENT;
    const bool systemMenu = (form.BorderIcons.get() & biSystemMenu) != 0;
    switch (form.BorderStyle.get()) {
        case bsNone: style |= WS_POPUP; break;
        case bsDialog:
            style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            break;
        case bsSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_BORDER; break;
        case bsSizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
    }
    if (form.BorderStyle != bsNone && systemMenu) {
        style |= WS_SYSMENU;
        if (form.BorderStyle != bsDialog) {
            if (form.BorderIcons.get() & biMinimize) style |= WS_MINIMIZEBOX;
            if (form.BorderIcons.get() & biMaximize) style |= WS_MAXIMIZEBOX;
        }
    }
}

TSize FramePixels(const TForm& form) {
    DWORD style, exStyle;
    FormStyles(form, style, exStyle);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {int(r.right - r.left), int(r.bottom - r.top)};
}

namespace {

// The form's window in pixels: its client area scaled, in the frame the platform draws
// at this DPI (a frame is not scaled with the client area: its caption follows the
// system's metrics).
TRect WindowPixels(const TForm& form) {
    const DpiScale scale = ScreenScale();
    const TSize frameUnits = CurrentBackend().FrameExtent(form), framePixels = FramePixels(form);
    return Bounds(scale.Pixels(form.Left), scale.Pixels(form.Top),
                  scale.Pixels(form.Width - frameUnits.cx) + framePixels.cx,
                  scale.Pixels(form.Height - frameUnits.cy) + framePixels.cy);
}

}  // namespace

std::unique_ptr<Peer> FormPeer::Create(TControl& control, HWND, HINSTANCE instance) {
    auto& form = static_cast<TForm&>(control);
    DWORD style, exStyle;
    FormStyles(form, style, exStyle);
    TForm* main = MainForm();
    HWND owner = main && main != &form && main->Handle ? static_cast<HWND>(main->Handle) : nullptr;
    const TRect r = WindowPixels(form);
    HWND window = CreateWindowExW(exStyle, kFormClass, Widen(form.Caption).c_str(), style, r.Left, r.Top, r.Width(),
                                  r.Height(), owner, nullptr, instance, nullptr);
    if (!window) return nullptr;
    return std::make_unique<FormPeer>(form, window);
}

FormPeer::FormPeer(TForm& form, HWND window) : KitPeer(form, window), form_(form) { DressSystemMenu(); }

void FormPeer::Sync() {
    if (!IsZoomed(Window()) && !IsIconic(Window())) {
        const TRect r = WindowPixels(form_);
        SetWindowPos(Window(), nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowTextIfChanged(form_.Caption);
    EnableWindow(Window(), form_.Enabled);
    InvalidateRect(Window(), nullptr, FALSE);
}

void FormPeer::ReportPlace() {
    RECT r;
    GetWindowRect(Window(), &r);
    const DpiScale scale = ScreenScale();
    const TSize frameUnits = CurrentBackend().FrameExtent(form_), framePixels = FramePixels(form_);
    const int width = scale.Units(r.right - r.left - framePixels.cx) + frameUnits.cx;
    const int height = scale.Units(r.bottom - r.top - framePixels.cy) + frameUnits.cy;
    Guarded([&] { form_.PlatformBoundsChanged(scale.Units(r.left), scale.Units(r.top), width, height); });
}

// Romanian captions for the system menu; the close item off unless the form allows it.
void FormPeer::DressSystemMenu() {
    HMENU menu = GetSystemMenu(Window(), FALSE);
    if (!menu) return;
    if (form_.RomanianSystemMenu()) {
        static const struct {
            UINT command;
            const wchar_t* caption;
        } kItems[] = {
            {SC_RESTORE, L"&Restaureaza"},   {SC_MOVE, L"&Muta"},
            {SC_SIZE, L"&Dimensioneaza"},    {SC_MINIMIZE, L"Mi&nimizeaza"},
            {SC_MAXIMIZE, L"Ma&ximizeaza"},  {SC_CLOSE, L"&Inchide    ALT+F4"},
        };
        for (const auto& item : kItems)
            if (GetMenuState(menu, item.command, MF_BYCOMMAND) != UINT(-1))
                ModifyMenuW(menu, item.command, MF_BYCOMMAND | MF_STRING, item.command, item.caption);
    }
    GrayCloseItem();
}

void FormPeer::GrayCloseItem() {
    if (form_.CloseCommandEnabled()) return;
    if (HMENU menu = GetSystemMenu(Window(), FALSE)) EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

bool FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SIZE:
        case WM_MOVE:
            if (message == WM_MOVE || wParam != SIZE_MINIMIZED) ReportPlace();
            return false;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != SC_CLOSE || form_.CloseCommandEnabled()) return false;
            result = 0;
            return true;
        case WM_INITMENUPOPUP:
        case WM_NCACTIVATE:
            // The platform may give the close item back when the menu or frame is redrawn.
            GrayCloseItem();
            return false;
        case WM_ACTIVATE:
            // Back in front (a modal box or dialog gone): the focus returns to the form's
            // active control, not to the form itself, so keys go on where they were.
            if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) return false;
            if (TWinControl* active = form_.ActiveControl; active && active->Handle && active->CanFocus()) {
                ::SetFocus(static_cast<HWND>(active->Handle));
                result = 0;
                return true;
            }
            return false;
        case WM_CLOSE:
            if (form_.CloseCommandEnabled()) Guarded([&] { form_.Close(); });
            result = 0;
            return true;
        default: return KitPeer::HandleMessage(message, wParam, lParam, result);
    }
}

}  // namespace ui::win32

#include "ui/win32/FormPeer.h"

#include "ui/Application.h"
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

std::unique_ptr<Peer> FormPeer::Create(TControl& control, HWND, HINSTANCE instance) {
    auto& form = static_cast<TForm&>(control);
    DWORD style, exStyle;
    FormStyles(form, style, exStyle);
    TForm* main = MainForm();
    HWND owner = main && main != &form && main->Handle ? static_cast<HWND>(main->Handle) : nullptr;
    HWND window = CreateWindowExW(exStyle, kFormClass, Widen(form.Caption).c_str(), style, form.Left, form.Top,
                                  form.Width, form.Height, owner, nullptr, instance, nullptr);
    if (!window) return nullptr;
    return std::make_unique<FormPeer>(form, window);
}

FormPeer::FormPeer(TForm& form, HWND window) : KitPeer(form, window), form_(form) { DressSystemMenu(); }

void FormPeer::Sync() {
    if (!IsZoomed(Window()) && !IsIconic(Window()))
        SetWindowPos(Window(), nullptr, form_.Left, form_.Top, form_.Width, form_.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextIfChanged(form_.Caption);
    EnableWindow(Window(), form_.Enabled);
    InvalidateRect(Window(), nullptr, FALSE);
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
            if (message == WM_MOVE || wParam != SIZE_MINIMIZED) {
                RECT r;
                GetWindowRect(Window(), &r);
                Guarded([&] { form_.PlatformBoundsChanged(r.left, r.top, r.right - r.left, r.bottom - r.top); });
            }
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

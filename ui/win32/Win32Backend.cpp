#include "ui/win32/Win32Backend.h"

#include <exception>
#include <set>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Form.h"
#include "ui/MessageBox.h"
#include "ui/StdControls.h"
#include "ui/win32/GdiCanvas.h"

namespace ui {

void UseWin32Backend(void* hInstance) {
    SetBackend(std::make_unique<win32::Win32Backend>(static_cast<HINSTANCE>(hInstance)));
}

namespace win32 {
namespace {

constexpr wchar_t kFormClass[] = L"TorvexForm";
constexpr wchar_t kControlClass[] = L"TorvexControl";

Win32Backend* backend = nullptr;
// While the backend itself sets a window's text, the change is not the user's.
bool syncingText = false;
HWND capturedBy = nullptr;
std::map<HWND, FontSpec> fontOf;
std::map<HWND, std::vector<std::string>> itemsOf;
std::map<HWND, WNDPROC> originalProcOf;

TControl* ControlOf(HWND window) {
    return window ? reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

COLORREF Ref(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return COLORREF(color & 0xFFFFFF);
}

HBRUSH BrushFor(COLORREF color) {
    static std::map<COLORREF, HBRUSH> brushes;
    auto it = brushes.find(color);
    if (it != brushes.end()) return it->second;
    return brushes[color] = CreateSolidBrush(color);
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

// Errors in a handler are shown to the user and the message loop goes on.
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

// Romanian captions for the system menu; the close item off unless the form allows it.
void DressSystemMenu(TForm& form, HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    if (form.RomanianSystemMenu()) {
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
    if (!form.CloseCommandEnabled()) EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

// What lies under a transparent control: its containers' own painting and the painted
// (windowless in spirit) siblings created before it, as a form designer draws them.
void PaintUnder(TControl& control, GdiCanvas& canvas, POINT origin) {
    TWinControl* parent = control.Parent();
    if (!parent) return;
    POINT under{origin.x - control.Left, origin.y - control.Top};
    if (parent->Transparent) PaintUnder(*parent, canvas, under);
    SetViewportOrgEx(canvas.Dc(), under.x, under.y, nullptr);
    parent->Paint(canvas);
    const TRect mine = control.BoundsRect();
    for (const auto& sibling : parent->Controls()) {
        if (sibling.get() == &control) break;
        const TRect theirs = sibling->BoundsRect();
        const bool overlaps = theirs.Left < mine.Right && mine.Left < theirs.Right && theirs.Top < mine.Bottom &&
                              mine.Top < theirs.Bottom;
        if (!overlaps || !sibling->Visible || sibling->Peer() != PeerKind::Painted) continue;
        SetViewportOrgEx(canvas.Dc(), under.x + sibling->Left, under.y + sibling->Top, nullptr);
        sibling->Paint(canvas);
    }
    SetViewportOrgEx(canvas.Dc(), origin.x, origin.y, nullptr);
}

// Paints a control into `target` through an off-screen bitmap, so nothing flickers.
void PaintBuffered(TControl& control, HDC target, int width, int height) {
    if (width <= 0 || height <= 0) return;
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    {
        GdiCanvas canvas(memory);
        if (control.Transparent)
            PaintUnder(control, canvas, {0, 0});
        else
            canvas.FillRect({0, 0, width, height}, control.EffectiveColor());
        Guarded([&] { control.Paint(canvas); });
    }
    BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void FocusArrived(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
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

void ChildCommand(TControl& control, HWND window, WORD code) {
    switch (control.Peer()) {
        case PeerKind::PushButton:
        case PeerKind::CheckBox:
        case PeerKind::RadioButton:
            if (code == BN_CLICKED) Guarded([&] { control.Click(); });
            if (code == BN_SETFOCUS) FocusArrived(&control);
            break;
        case PeerKind::Edit:
        case PeerKind::Memo:
            if (code == EN_CHANGE && !syncingText) {
                std::string text = Narrow(WindowText(window));
                Guarded([&] { control.TextChangedByUser(text); });
            }
            if (code == EN_SETFOCUS) FocusArrived(&control);
            break;
        case PeerKind::ComboBox:
            if (code == CBN_SELCHANGE && !syncingText) {
                int index = int(SendMessageW(window, CB_GETCURSEL, 0, 0));
                Guarded([&] { static_cast<TListControl&>(control).SelectedByUser(index); });
            }
            if (code == CBN_SETFOCUS) FocusArrived(&control);
            break;
        case PeerKind::ListBox: {
            int index = int(SendMessageW(window, LB_GETCURSEL, 0, 0));
            if (code == LBN_SELCHANGE && !syncingText)
                Guarded([&] { static_cast<TListControl&>(control).SelectedByUser(index); });
            if (code == LBN_DBLCLK) Guarded([&] { static_cast<TListControl&>(control).OpenedByUser(index); });
            if (code == LBN_SETFOCUS) FocusArrived(&control);
            break;
        }
        default: break;
    }
}

LRESULT CALLBACK KitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TControl* control = ControlOf(window);
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    auto* form = dynamic_cast<TForm*>(control);
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            PaintBuffered(*control, dc, client.right, client.bottom);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            auto* button = dynamic_cast<TButtonControl*>(ControlOf(item->hwndItem));
            if (!button) break;
            button->State.pressed = (item->itemState & ODS_SELECTED) != 0;
            button->State.focused = (item->itemState & ODS_FOCUS) != 0;
            PaintBuffered(*button, item->hDC, item->rcItem.right - item->rcItem.left,
                          item->rcItem.bottom - item->rcItem.top);
            return TRUE;
        }
        case WM_COMMAND:
            if (lParam)
                if (TControl* child = ControlOf(reinterpret_cast<HWND>(lParam)))
                    ChildCommand(*child, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            TControl* child = ControlOf(reinterpret_cast<HWND>(lParam));
            if (!child) break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            COLORREF back = Ref(child->EffectiveColor());
            SetTextColor(dc, Ref(child->EnabledChain() ? child->EffectiveFont().Color : clGrayText));
            SetBkColor(dc, back);
            return reinterpret_cast<LRESULT>(BrushFor(back));
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
            const TMouseButton button = message == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight;
            if (button == TMouseButton::mbLeft) {
                SetCapture(window);
                capturedBy = window;
            }
            Guarded([&] { control->MouseDown(button, ShiftNow(), x, y); });
            return 0;
        }
        case WM_LBUTTONUP: {
            if (capturedBy != window) break;
            capturedBy = nullptr;
            ReleaseCapture();
            POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
            RECT client;
            GetClientRect(window, &client);
            if (PtInRect(&client, at) && !form) Guarded([&] { control->Click(); });
            return 0;
        }
        case WM_SETCURSOR:
            if (ScreenCursor() != crDefault) {
                SetCursor(LoadCursorW(nullptr, ScreenCursor() == crHourGlass ? IDC_WAIT : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_SIZE:
        case WM_MOVE:
            if (form && message == WM_SIZE ? wParam != SIZE_MINIMIZED : form != nullptr) {
                RECT r;
                GetWindowRect(window, &r);
                Guarded([&] { form->PlatformBoundsChanged(r.left, r.top, r.right - r.left, r.bottom - r.top); });
            }
            break;
        case WM_SYSCOMMAND:
            if (form && (wParam & 0xFFF0) == SC_CLOSE && !form->CloseCommandEnabled()) return 0;
            break;
        case WM_INITMENUPOPUP:
        case WM_NCACTIVATE:
            // The platform may give the close item back when the menu or frame is redrawn.
            if (form && !form->CloseCommandEnabled())
                if (HMENU menu = GetSystemMenu(window, FALSE))
                    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
            break;
        case WM_CLOSE:
            if (form) {
                if (form->CloseCommandEnabled()) Guarded([&] { form->Close(); });
                return 0;
            }
            break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Edit boxes of the kit draw their flat border after the platform's frame.
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = originalProcOf[window];
    LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_NCPAINT || message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_PAINT) {
        if (auto* edit = dynamic_cast<TActiveEdit*>(ControlOf(window))) {
            HDC dc = GetWindowDC(window);
            RECT r;
            GetWindowRect(window, &r);
            {
                GdiCanvas canvas(dc);
                edit->PaintBorder(canvas, r.right - r.left, r.bottom - r.top);
            }
            ReleaseDC(window, dc);
        }
    }
    if (message == WM_NCDESTROY) originalProcOf.erase(window);
    return result;
}

BOOL CALLBACK CollectEnabledWindow(HWND other, LPARAM data) {
    auto* list = reinterpret_cast<std::vector<HWND>*>(data);
    if (IsWindowVisible(other) && IsWindowEnabled(other)) list->push_back(other);
    return TRUE;
}

VOID CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (backend) backend->TimerFired(id);
}

void DetachTree(HWND window) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    fontOf.erase(window);
    itemsOf.erase(window);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TControl* control = ControlOf(child)) control->Handle = nullptr;
        DetachTree(child);
    }
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
    backend = this;
    for (const wchar_t* name : {kFormClass, kControlClass}) {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = KitWindowProc;
        cls.hInstance = instance_;
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.lpszClassName = name;
        if (name == kFormClass) cls.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        RegisterClassExW(&cls);
    }
}

Win32Backend::~Win32Backend() {
    for (auto& [id, tick] : timers_) KillTimer(nullptr, id);
    if (backend == this) backend = nullptr;
}

void Win32Backend::CreatePeer(TControl& control) {
    if (control.Handle) return;
    HWND window = nullptr;
    const std::wstring text = Widen(control.PeerText());
    if (auto* form = dynamic_cast<TForm*>(&control)) {
        DWORD style, exStyle;
        FormStyles(*form, style, exStyle);
        TForm* main = MainForm();
        HWND owner = main && main != form && main->Handle ? static_cast<HWND>(main->Handle) : nullptr;
        window = CreateWindowExW(exStyle, kFormClass, Widen(form->Caption).c_str(), style, form->Left,
                                 form->Top, form->Width, form->Height, owner, nullptr, instance_, nullptr);
        if (!window) return;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
        control.Handle = window;
        DressSystemMenu(*form, window);
        CreateChildren(*form);
        return;
    }
    TWinControl* parent = control.Parent();
    if (!parent || !parent->Handle) return;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const wchar_t* cls = kControlClass;
    switch (control.Peer()) {
        case PeerKind::Container: style |= WS_CLIPCHILDREN; exStyle |= WS_EX_CONTROLPARENT; break;
        case PeerKind::PushButton: cls = L"BUTTON"; style |= BS_OWNERDRAW | BS_NOTIFY | WS_TABSTOP; break;
        case PeerKind::CheckBox: cls = L"BUTTON"; style |= BS_CHECKBOX | BS_NOTIFY | WS_TABSTOP; break;
        case PeerKind::RadioButton: cls = L"BUTTON"; style |= BS_RADIOBUTTON | BS_NOTIFY | WS_TABSTOP; break;
        case PeerKind::Edit: {
            auto& edit = static_cast<TEdit&>(control);
            cls = L"EDIT";
            style |= ES_AUTOHSCROLL | WS_TABSTOP;
            if (edit.ReadOnly) style |= ES_READONLY;
            if (edit.Alignment == taCenter) style |= ES_CENTER;
            if (edit.Alignment == taRightJustify) style |= ES_RIGHT;
            if (edit.BorderSingle) exStyle |= WS_EX_CLIENTEDGE;
            break;
        }
        case PeerKind::Memo: {
            auto& memo = static_cast<TMemo&>(control);
            cls = L"EDIT";
            style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP;
            if (memo.ReadOnly) style |= ES_READONLY;
            if (memo.VerticalScrollBar) style |= WS_VSCROLL;
            if (memo.Alignment == taCenter) style |= ES_CENTER;
            if (memo.Alignment == taRightJustify) style |= ES_RIGHT;
            if (memo.BorderSingle) exStyle |= WS_EX_CLIENTEDGE;
            break;
        }
        case PeerKind::ComboBox: cls = L"COMBOBOX"; style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP; break;
        case PeerKind::ListBox:
            cls = L"LISTBOX";
            style |= LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        default: break;
    }
    if (control.Visible) style |= WS_VISIBLE;
    if (!control.Enabled) style |= WS_DISABLED;
    const int height = control.Peer() == PeerKind::ComboBox ? 200 : int(control.Height);
    window = CreateWindowExW(exStyle, cls, text.c_str(), style, control.Left, control.Top, control.Width, height,
                             static_cast<HWND>(parent->Handle), nullptr, instance_, nullptr);
    if (!window) return;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.Handle = window;
    // Controls made later lie above the earlier ones.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (control.Peer() == PeerKind::Edit || control.Peer() == PeerKind::Memo) {
        originalProcOf[window] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    }
    SyncPeer(control);
    if (auto* container = dynamic_cast<TWinControl*>(&control)) CreateChildren(*container);
}

void Win32Backend::CreateChildren(TWinControl& container) {
    for (const auto& child : container.Controls()) CreatePeer(*child);
}

void Win32Backend::SyncPeer(TControl& control) {
    HWND window = static_cast<HWND>(control.Handle);
    if (!window) return;
    if (auto* form = dynamic_cast<TForm*>(&control)) {
        if (!IsZoomed(window) && !IsIconic(window))
            SetWindowPos(window, nullptr, form->Left, form->Top, form->Width, form->Height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        std::wstring caption = Widen(form->Caption);
        if (WindowText(window) != caption) SetWindowTextW(window, caption.c_str());
        EnableWindow(window, form->Enabled);
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    const PeerKind kind = control.Peer();
    const int height = kind == PeerKind::ComboBox ? 200 : int(control.Height);
    SetWindowPos(window, nullptr, control.Left, control.Top, control.Width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != bool(control.Visible)) ShowWindow(window, control.Visible ? SW_SHOWNA : SW_HIDE);
    EnableWindow(window, control.Enabled);

    syncingText = true;
    if (kind == PeerKind::Memo) {
        std::wstring text = Widen(static_cast<TMemo&>(control).Text());
        if (WindowText(window) != text) SetWindowTextW(window, text.c_str());
        SendMessageW(window, EM_SETREADONLY, static_cast<TMemo&>(control).ReadOnly ? TRUE : FALSE, 0);
    } else if (kind == PeerKind::ComboBox || kind == PeerKind::ListBox) {
        auto& list = static_cast<TListControl&>(control);
        const bool combo = kind == PeerKind::ComboBox;
        if (itemsOf[window] != list.Items.get()) {
            SendMessageW(window, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
            for (const std::string& item : list.Items.get()) {
                std::wstring wide = Widen(item);
                SendMessageW(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            }
            itemsOf[window] = list.Items.get();
        }
        SendMessageW(window, combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(list.ItemIndex.get()), 0);
    } else {
        std::wstring text = Widen(control.PeerText());
        if (WindowText(window) != text) SetWindowTextW(window, text.c_str());
    }
    syncingText = false;

    if (auto* check = dynamic_cast<TCheckBox*>(&control))
        SendMessageW(window, BM_SETCHECK, check->Checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (auto* radio = dynamic_cast<TRadioButton*>(&control))
        SendMessageW(window, BM_SETCHECK, radio->Checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        SendMessageW(window, EM_SETREADONLY, edit->ReadOnly ? TRUE : FALSE, 0);
        SendMessageW(window, EM_LIMITTEXT, WPARAM(edit->MaxLength.get()), 0);
    }
    const FontSpec font = control.EffectiveFont();
    auto known = fontOf.find(window);
    if (known == fontOf.end() || !(known->second == font)) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font)), FALSE);
        fontOf[window] = font;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void Win32Backend::ControlAdded(TControl& control) { CreatePeer(control); }

void Win32Backend::ControlChanged(TControl& control) { SyncPeer(control); }

void Win32Backend::ControlDestroyed(TControl& control) {
    HWND window = static_cast<HWND>(control.Handle);
    control.Handle = nullptr;
    if (!window || !IsWindow(window)) return;
    DetachTree(window);
    if (capturedBy == window) capturedBy = nullptr;
    DestroyWindow(window);
}

void Win32Backend::Invalidate(TControl& control) {
    if (control.Handle) InvalidateRect(static_cast<HWND>(control.Handle), nullptr, FALSE);
}

void Win32Backend::Repaint(TControl& control) {
    if (!control.Handle) return;
    HWND window = static_cast<HWND>(control.Handle);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Backend::BringToFront(TControl& control) {
    HWND window = static_cast<HWND>(control.Handle);
    if (!window) return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (dynamic_cast<TForm*>(&control)) SetForegroundWindow(window);
}

void Win32Backend::Focus(TWinControl& control) {
    if (control.Handle) ::SetFocus(static_cast<HWND>(control.Handle));
}

TWinControl* Win32Backend::Focused(TForm& form) {
    for (HWND window = GetFocus(); window; window = GetParent(window)) {
        auto* control = dynamic_cast<TWinControl*>(ControlOf(window));
        if (control && control != &form && control->OwnerForm() == &form) return control;
        if (control == &form) break;
    }
    return nullptr;
}

int Win32Backend::RunModal(TForm& form) {
    CreatePeer(form);
    HWND window = static_cast<HWND>(form.Handle);
    // The other windows of the program wait while the form is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    std::erase(disabled, window);
    for (HWND other : disabled) EnableWindow(other, FALSE);

    if (form.Visible)
        ShowForm(form);
    else
        form.Visible = true;
    while (form.ModalResult == mrNone && !quit_) {
        MSG msg;
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit_ = true;
            quitCode_ = int(msg.wParam);
            break;
        }
        Pump(msg);
    }
    for (HWND other : disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
    form.Visible = false;
    if (quit_) {
        PostQuitMessage(quitCode_);
        if (form.ModalResult == mrNone) form.ModalResult.SetQuietly(mrCancel);
    }
    (void)window;
    return form.ModalResult;
}

void Win32Backend::ShowForm(TForm& form) {
    CreatePeer(form);
    HWND window = static_cast<HWND>(form.Handle);
    if (!window) return;
    const bool wasShown = IsWindowVisible(window) != 0;
    form.Visible.SetQuietly(true);
    ShowWindow(window, form.WindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(window);
    RECT r;
    GetWindowRect(window, &r);
    form.PlatformBoundsChanged(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (!wasShown) Guarded([&] { form.DoShow(); });
    UpdateWindow(window);
}

void Win32Backend::HideForm(TForm& form) {
    form.Visible.SetQuietly(false);
    if (form.Handle) ShowWindow(static_cast<HWND>(form.Handle), SW_HIDE);
}

TSize Win32Backend::FrameExtent(const TForm& form) {
    DWORD style, exStyle;
    FormStyles(form, style, exStyle);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {int(r.right - r.left), int(r.bottom - r.top)};
}

void Win32Backend::Pump(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        auto* form = dynamic_cast<TForm*>(ControlOf(root));
        if (form && IsWindowEnabled(root)) {
            TShiftState shift = ShiftNow();
            if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) shift |= ssAlt;
            bool used = false;
            Guarded([&] { used = form->DispatchKey(int(msg.wParam), shift); });
            if (used) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Backend::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_ = true;
            quitCode_ = int(msg.wParam);
            PostQuitMessage(quitCode_);
            break;
        }
        Pump(msg);
    }
}

bool Win32Backend::IsKeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
int Win32Backend::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Backend::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

int Win32Backend::ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

int Win32Backend::PixelsPerInch() {
    HDC screen = GetDC(nullptr);
    int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

TColor Win32Backend::SystemColor(int index) { return TColor(GetSysColor(index)); }

std::unique_ptr<Canvas> Win32Backend::MeasuringCanvas() { return std::make_unique<MeasuringGdiCanvas>(); }

int Win32Backend::StartTimer(int milliseconds, std::function<void()> tick) {
    UINT_PTR id = SetTimer(nullptr, 0, UINT(milliseconds < 1 ? 1 : milliseconds), TimerProc);
    if (!id) return 0;
    timers_[id] = std::move(tick);
    return int(id);
}

void Win32Backend::StopTimer(int id) {
    KillTimer(nullptr, UINT_PTR(id));
    timers_.erase(UINT_PTR(id));
}

void Win32Backend::TimerFired(UINT_PTR id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    std::function<void()> tick = it->second;  // the tick may stop its own timer
    Guarded(tick);
}

void Win32Backend::SetCursorShape(int cursor) {
    cursor_ = cursor;
    SetCursor(LoadCursorW(nullptr, cursor == crHourGlass ? IDC_WAIT : IDC_ARROW));
}

std::optional<std::vector<uint8_t>> Win32Backend::LoadRawResource(const std::string& name) {
    HRSRC resource = FindResourceW(instance_, Widen(name).c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!resource) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance_, resource);
    DWORD size = SizeofResource(instance_, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

void* Win32Backend::AddPrivateFont(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    DWORD installed = 0;
    HANDLE handle = AddFontMemResourceEx(const_cast<uint8_t*>(bytes.data()), DWORD(bytes.size()), nullptr, &installed);
    return installed ? handle : nullptr;
}

void Win32Backend::RemovePrivateFont(void* handle) {
    if (handle) RemoveFontMemResourceEx(handle);
}

}  // namespace win32
}  // namespace ui

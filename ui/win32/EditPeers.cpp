#include "ui/win32/EditPeers.h"

#include "ui/Edits.h"
#include "ui/win32/GdiHandles.h"
#include "ui/win32/WinSupport.h"

namespace ui::win32 {
namespace {

DWORD AlignmentStyle(TAlignment alignment) {
    if (alignment == taCenter) return ES_CENTER;
    if (alignment == taRightJustify) return ES_RIGHT;
    return 0;
}

}  // namespace

TextBoxPeer::TextBoxPeer(TControl& control, HWND window)
    : Peer(control, window),
      original_(reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxPeer::SubclassProc)))) {}

TextBoxPeer::~TextBoxPeer() {
    if (IsWindow(Window())) SetWindowLongPtrW(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
}

LRESULT CALLBACK TextBoxPeer::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* peer = static_cast<TextBoxPeer*>(Peer::Of(window));
    if (!peer) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = CallWindowProcW(peer->original_, window, message, wParam, lParam);
    if (message == WM_NCPAINT || message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_PAINT)
        peer->PaintBorder();
    return result;
}

void TextBoxPeer::PaintBorder() {
    auto* edit = dynamic_cast<TActiveEdit*>(&Control());
    if (!edit) return;
    WindowDc dc = WholeWindowDc(Window());
    RECT r;
    GetWindowRect(Window(), &r);
    GdiCanvas canvas(dc.get());
    edit->PaintBorder(canvas, r.right - r.left, r.bottom - r.top);
}

void TextBoxPeer::Command(WORD code) {
    if (code == EN_CHANGE && !Syncing()) {
        std::string text = Narrow(WindowText(Window()));
        Guarded([&] { Control().TextChangedByUser(text); });
    }
    if (code == EN_SETFOCUS) FocusArrived(Control());
}

std::unique_ptr<Peer> EditPeer::Create(TControl& control, HWND parent, HINSTANCE instance) {
    auto& edit = static_cast<TEdit&>(control);
    DWORD style = ES_AUTOHSCROLL | WS_TABSTOP | AlignmentStyle(edit.Alignment);
    if (edit.ReadOnly) style |= ES_READONLY;
    HWND window = CreateChildWindow(control, parent, instance, L"EDIT", style,
                                    edit.BorderSingle ? WS_EX_CLIENTEDGE : 0, control.Height);
    if (!window) return nullptr;
    return std::make_unique<EditPeer>(control, window);
}

void EditPeer::SyncContent() {
    TextBoxPeer::SyncContent();
    auto& edit = static_cast<TEdit&>(Control());
    SendMessageW(Window(), EM_SETREADONLY, edit.ReadOnly ? TRUE : FALSE, 0);
    SendMessageW(Window(), EM_LIMITTEXT, WPARAM(edit.MaxLength.get()), 0);
}

std::unique_ptr<Peer> MemoPeer::Create(TControl& control, HWND parent, HINSTANCE instance) {
    auto& memo = static_cast<TMemo&>(control);
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP | AlignmentStyle(memo.Alignment);
    if (memo.ReadOnly) style |= ES_READONLY;
    if (memo.VerticalScrollBar) style |= WS_VSCROLL;
    HWND window = CreateChildWindow(control, parent, instance, L"EDIT", style,
                                    memo.BorderSingle ? WS_EX_CLIENTEDGE : 0, control.Height);
    if (!window) return nullptr;
    return std::make_unique<MemoPeer>(control, window);
}

void MemoPeer::SyncContent() {
    auto& memo = static_cast<TMemo&>(Control());
    SetWindowTextIfChanged(memo.Text());
    SendMessageW(Window(), EM_SETREADONLY, memo.ReadOnly ? TRUE : FALSE, 0);
}

}  // namespace ui::win32

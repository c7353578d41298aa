#include "ui/win32/ButtonPeers.h"

#include "ui/Buttons.h"
#include "ui/StdControls.h"
#include "ui/win32/KitPeer.h"
#include "ui/win32/WinSupport.h"

namespace ui::win32 {
namespace {

// The button style of each check-mark control.
template <class Checkable>
constexpr DWORD kCheckStyle = 0;
template <>
constexpr DWORD kCheckStyle<TCheckBox> = BS_CHECKBOX;
template <>
constexpr DWORD kCheckStyle<TRadioButton> = BS_RADIOBUTTON;

}  // namespace

void ButtonPeer::Command(WORD code) {
    if (code == BN_CLICKED) Guarded([&] { Control().Click(); });
    if (code == BN_SETFOCUS) FocusArrived(Control());
}

std::unique_ptr<Peer> PushButtonPeer::Create(TControl& control, HWND parent, HINSTANCE instance) {
    HWND window = CreateChildWindow(control, parent, instance, L"BUTTON", BS_OWNERDRAW | BS_NOTIFY | WS_TABSTOP, 0,
                                    control.Height);
    if (!window) return nullptr;
    return std::make_unique<PushButtonPeer>(control, window);
}

void PushButtonPeer::DrawItem(const DRAWITEMSTRUCT& item) {
    auto& button = static_cast<TButtonControl&>(Control());
    button.State.pressed = (item.itemState & ODS_SELECTED) != 0;
    button.State.focused = (item.itemState & ODS_FOCUS) != 0;
    PaintBuffered(button, item.hDC, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top);
}

template <class Checkable>
std::unique_ptr<Peer> CheckMarkPeer<Checkable>::Create(TControl& control, HWND parent, HINSTANCE instance) {
    HWND window = CreateChildWindow(control, parent, instance, L"BUTTON",
                                    kCheckStyle<Checkable> | BS_NOTIFY | WS_TABSTOP, 0, control.Height);
    if (!window) return nullptr;
    return std::make_unique<CheckMarkPeer>(control, window);
}

template <class Checkable>
void CheckMarkPeer<Checkable>::SyncContent() {
    ButtonPeer::SyncContent();
    const bool checked = static_cast<Checkable&>(Control()).Checked;
    SendMessageW(Window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

template class CheckMarkPeer<TCheckBox>;
template class CheckMarkPeer<TRadioButton>;

}  // namespace ui::win32

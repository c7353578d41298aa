#include "ui/win32/ListPeers.h"

#include "ui/StdControls.h"
#include "ui/win32/WinSupport.h"

namespace ui::win32 {
namespace {

constexpr ListMessages kComboMessages{CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL, CB_GETCURSEL,
                                      CBN_SELCHANGE,   CBN_SETFOCUS, 0};
constexpr ListMessages kListMessages{LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL,
                                     LBN_SELCHANGE,   LBN_SETFOCUS, LBN_DBLCLK};

}  // namespace

ListPeer::ListPeer(TControl& control, HWND window, const ListMessages& messages)
    : Peer(control, window), messages_(messages) {}

void ListPeer::SyncContent() {
    auto& list = static_cast<TListControl&>(Control());
    if (items_ != list.Items.get()) {
        SendMessageW(Window(), messages_.reset, 0, 0);
        for (const std::string& item : list.Items.get()) {
            std::wstring wide = Widen(item);
            SendMessageW(Window(), messages_.add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        items_ = list.Items.get();
    }
    SendMessageW(Window(), messages_.setSelection, WPARAM(list.ItemIndex.get()), 0);
}

void ListPeer::Command(WORD code) {
    auto& list = static_cast<TListControl&>(Control());
    const int index = int(SendMessageW(Window(), messages_.getSelection, 0, 0));
    if (code == messages_.selectionChanged && !Syncing()) Guarded([&] { list.SelectedByUser(index); });
    if (messages_.opened && code == messages_.opened) Guarded([&] { list.OpenedByUser(index); });
    if (code == messages_.focusArrived) FocusArrived(Control());
}

ComboBoxPeer::ComboBoxPeer(TControl& control, HWND window) : ListPeer(control, window, kComboMessages) {}

std::unique_ptr<Peer> ComboBoxPeer::Create(TControl& control, HWND parent, HINSTANCE instance) {
    HWND window = CreateChildWindow(control, parent, instance, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                    0, kDroppedHeight);
    if (!window) return nullptr;
    return std::make_unique<ComboBoxPeer>(control, window);
}

ListBoxPeer::ListBoxPeer(TControl& control, HWND window) : ListPeer(control, window, kListMessages) {}

std::unique_ptr<Peer> ListBoxPeer::Create(TControl& control, HWND parent, HINSTANCE instance) {
    HWND window = CreateChildWindow(control, parent, instance, L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP,
                                    WS_EX_CLIENTEDGE, control.Height);
    if (!window) return nullptr;
    return std::make_unique<ListBoxPeer>(control, window);
}

}  // namespace ui::win32

// Peers of the platform's list controls: the drop-down combo box and the list box. The
// peer keeps the items it last gave the window, so the list is filled again only when
// the control's items changed.
#pragma once

#include <string>
#include <vector>

#include "ui/win32/Peer.h"

namespace ui::win32 {

// The messages and notifications in which the two platform lists differ.
struct ListMessages {
    UINT reset, add, setSelection, getSelection;
    WORD selectionChanged, focusArrived, opened;  // 0: the list has no such notification
};

class ListPeer : public Peer {
public:
    ListPeer(TControl& control, HWND window, const ListMessages& messages);
    void Command(WORD code) override;

protected:
    void SyncContent() override;

private:
    const ListMessages& messages_;
    std::vector<std::string> items_;
};

class ComboBoxPeer : public ListPeer {
public:
    ComboBoxPeer(TControl& control, HWND window);
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);
    // The window includes the drop-down list.
    int PlatformHeight() const override { return kDroppedHeight; }

private:
    static constexpr int kDroppedHeight = 200;
};

class ListBoxPeer : public ListPeer {
public:
    ListBoxPeer(TControl& control, HWND window);
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);
};

}  // namespace ui::win32

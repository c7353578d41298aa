// Peers of the platform's buttons: the kit's push buttons (owner-drawn, painted by the
// kit), check boxes and radio buttons. A click runs the control's Click; the focus
// arriving makes the control the form's active one.
#pragma once

#include "ui/win32/Peer.h"

namespace ui::win32 {

class ButtonPeer : public Peer {
public:
    using Peer::Peer;
    void Command(WORD code) override;
};

class PushButtonPeer : public ButtonPeer {
public:
    using ButtonPeer::ButtonPeer;
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};

// A check box or a radio button: its check mark follows the control's Checked.
template <class Checkable>
class CheckMarkPeer : public ButtonPeer {
public:
    using ButtonPeer::ButtonPeer;
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);

protected:
    void SyncContent() override;
};

}  // namespace ui::win32

#include "ui/win32/PeerRegistry.h"

#include "ui/StdControls.h"
#include "ui/win32/ButtonPeers.h"
#include "ui/win32/EditPeers.h"
#include "ui/win32/FormPeer.h"
#include "ui/win32/KitPeer.h"
#include "ui/win32/ListPeers.h"

namespace ui::win32 {
namespace {

using MakeFunction = std::unique_ptr<Peer> (*)(TControl&, HWND, HINSTANCE);

std::unique_ptr<Peer> MakePainted(TControl& control, HWND parent, HINSTANCE instance) {
    HWND window = CreateChildWindow(control, parent, instance, kControlClass, 0, 0, control.Height);
    return window ? std::make_unique<KitPeer>(control, window) : nullptr;
}

std::unique_ptr<Peer> MakeContainer(TControl& control, HWND parent, HINSTANCE instance) {
    HWND window =
        CreateChildWindow(control, parent, instance, kControlClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, control.Height);
    return window ? std::make_unique<KitPeer>(control, window) : nullptr;
}

const struct {
    PeerKind kind;
    MakeFunction make;
} kRegistry[] = {
    {PeerKind::Painted, MakePainted},
    {PeerKind::Container, MakeContainer},
    {PeerKind::PushButton, PushButtonPeer::Create},
    {PeerKind::CheckBox, CheckMarkPeer<TCheckBox>::Create},
    {PeerKind::RadioButton, CheckMarkPeer<TRadioButton>::Create},
    {PeerKind::Edit, EditPeer::Create},
    {PeerKind::Memo, MemoPeer::Create},
    {PeerKind::ComboBox, ComboBoxPeer::Create},
    {PeerKind::ListBox, ListBoxPeer::Create},
    {PeerKind::Form, FormPeer::Create},
};

}  // namespace

std::unique_ptr<Peer> MakePeer(TControl& control, HWND parent, HINSTANCE instance) {
    for (const auto& entry : kRegistry)
        if (entry.kind == control.Peer()) return entry.make(control, parent, instance);
    return nullptr;
}

}  // namespace ui::win32

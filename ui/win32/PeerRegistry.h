// Which peer class stands behind each kind of control. A new kind of control needs its
// peer class and one line in the registry.
#pragma once

#include <memory>

#include "ui/win32/Peer.h"

namespace ui::win32 {

// Makes the peer of a control (its window a child of `parent`; a form's is top-level);
// none when the window cannot be made.
std::unique_ptr<Peer> MakePeer(TControl& control, HWND parent, HINSTANCE instance);

}  // namespace ui::win32

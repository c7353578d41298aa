// Peers of the platform's edit boxes: the one-line edit box and the memo. Text typed by
// the user reaches the control; the kit's edit boxes draw their flat border after the
// platform's frame, through a subclass procedure that the peer owns.
#pragma once

#include "ui/win32/Peer.h"

namespace ui::win32 {

class TextBoxPeer : public Peer {
public:
    TextBoxPeer(TControl& control, HWND window);
    ~TextBoxPeer() override;
    void Command(WORD code) override;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintBorder();
    WNDPROC original_;
};

class EditPeer : public TextBoxPeer {
public:
    using TextBoxPeer::TextBoxPeer;
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);

protected:
    void SyncContent() override;
};

class MemoPeer : public TextBoxPeer {
public:
    using TextBoxPeer::TextBoxPeer;
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);

protected:
    void SyncContent() override;
};

}  // namespace ui::win32

// The window of a form: a top-level window of the kit's form class, owned by the main
// form's window, with the Romanian system menu and the close command off unless the form
// allows it.
#pragma once

#include "ui/Form.h"
#include "ui/win32/KitPeer.h"

namespace ui::win32 {

// The window styles of a form's border style and border icons.
void FormStyles(const TForm& form, DWORD& style, DWORD& exStyle);
// Width and height, in pixels, that the platform's frame and caption add to the form's
// client area.
TSize FramePixels(const TForm& form);

class FormPeer : public KitPeer {
public:
    FormPeer(TForm& form, HWND window);
    static std::unique_ptr<Peer> Create(TControl& control, HWND parent, HINSTANCE instance);

    void Sync() override;
    // Tells the form where the platform put its window, in units.
    void ReportPlace();
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool ClickOnRelease() const override { return false; }

private:
    void DressSystemMenu();
    void GrayCloseItem();
    TForm& form_;
};

}  // namespace ui::win32

// Forms: top-level windows that own their controls and are shown modally or not.
// A page builds its controls in its constructor and calls FormCreate() at the end of
// it, as a form designer's loader would after reading the form file.
#pragma once

#include <string>

#include "ui/Control.h"
#include "ui/ModalResult.h"

namespace ui {

class TTitleBar;
class TButtonControl;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
using TBorderIcons = uint8_t;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;

class TForm : public TWinControl {
public:
    // `className` is the form's class as tests and the scripted user know it ("TIType").
    explicit TForm(std::string className = "TForm");
    ~TForm() override;

    Prop<int> ModalResult{mrNone};
    Prop<bool> KeyPreview{false};
    Prop<TFormBorderStyle> BorderStyle{bsSizeable};
    Prop<TBorderIcons> BorderIcons{biSystemMenu | biMinimize | biMaximize};
    Prop<TWindowState> WindowState{wsNormal};
    Prop<int> HelpContext{0};
    // The control that has (or receives, when shown) the focus.
    TWinControl* ActiveControl = nullptr;

    const std::string& ClassName() const { return className_; }
    PeerKind Peer() const override { return PeerKind::Form; }

    // Outer sizes are Width/Height; the client area excludes the frame and caption.
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetClientSize(int width, int height);

    int ShowModal();
    void Show();
    void Hide();
    // A modal form ends with mrCancel; a modeless one hides.
    void Close();
    void BringToFront();
    bool Modal() const { return modal_; }

    // The form's handlers, named as the pages name them.
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormResize() {}
    // Not called by the kit: a form's destructor calls its own (C++ cannot reach the
    // derived handler from the base destructor).
    virtual void FormDestroy() {}
    // With KeyPreview on, every key pressed in the form comes here first; setting `key`
    // to 0 stops it.
    virtual void FormKeyDown(int& key, TShiftState shift);

    // Whether the close item of the system menu (the close box, Alt+F4) works.
    virtual bool CloseCommandEnabled() const { return true; }
    // The Romanian captions of the system menu items, applied by the backend when set.
    virtual bool RomanianSystemMenu() const { return false; }

    // A key pressed while the form is active: the preview, then the form's own keys
    // (Tab, Enter on a button, the default and cancel buttons, accelerators). True when
    // the key was used.
    bool DispatchKey(int key, TShiftState shift);
    // The button that Enter presses when the focus is not on a button, and the one that
    // Escape presses.
    TButtonControl* DefaultButton() const;
    TButtonControl* CancelButton() const;

    void Paint(Canvas& canvas) override;

    // The backend reports that the platform moved or sized the window.
    void PlatformBoundsChanged(int left, int top, int width, int height);
    // The form became shown: FormShow, the first focus, FormResize on the first sizing.
    void DoShow();

protected:
    void BoundsChanged() override;

private:
    friend class Backend;
    bool FocusNext(bool backwards);
    // The first button, in creation order, that is marked so and can take the focus.
    TButtonControl* FirstFocusableButton(Prop<bool> TButtonControl::*marked) const;
    bool PressAccelerator(char letter, bool altHeld);
    bool MoveInRadioGroup(bool forward);
    std::string className_;
    bool modal_ = false;
};

// The kit's base form: Romanian system menu, and the close command disabled (pages and
// message boxes close only through their buttons).
class TMForm : public TForm {
public:
    explicit TMForm(std::string className = "TMForm");
    bool CloseCommandEnabled() const override { return false; }
    bool RomanianSystemMenu() const override { return true; }
};

// A kit form that may paint its own background through OnPaint.
class TPaintedForm : public TMForm {
public:
    explicit TPaintedForm(std::string className = "TPaintedForm") : TMForm(std::move(className)) {}
    std::function<void(Canvas&)> OnPaint;
    void Paint(Canvas& canvas) override;
};

// A kit form with a title bar named TitleBar1 across its top.
class TTitleForm : public TPaintedForm {
public:
    explicit TTitleForm(std::string className = "TTitleForm");
    // The title bar, looked up by its name TitleBar1 (null when the form has none).
    TTitleBar* TitleBar1() const;
    // Adds TitleBar1 with the look every page gives it: a flat blue bar ($8C4A08),
    // white 13-pixel bold title, aligned to the top.
    TTitleBar& AddTitleBar(const std::string& caption);
};

// The kit's main-window class: its close command stays enabled.
class TMainForm : public TPaintedForm {
public:
    explicit TMainForm(std::string className = "TMainForm") : TPaintedForm(std::move(className)) {}
    bool CloseCommandEnabled() const override { return true; }
};

}  // namespace ui

// The kit's push buttons. A button's ModalResult closes its modal form with that value
// when pressed, set before the button's own OnClick runs. Kinds give default captions
// and results (ButtonKinds.h) unless the page set its own.
#pragma once

#include "ui/Bitmap.h"
#include "ui/ButtonKinds.h"
#include "ui/Control.h"

namespace ui {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TButtonControl : public TWinControl {
public:
    TButtonControl();

    Prop<int> ModalResult{0};
    // Enter presses the default button when the focus is not on another button; Escape
    // presses the cancel button.
    Prop<bool> Default{false};
    Prop<bool> Cancel{false};
    Prop<bool> CaptionVisible{true};
    Prop<TBitmap> Glyph;
    Prop<int> NumGlyphs{3};
    Prop<TButtonLayout> ButtonLayout{blGlyphLeft};

    PeerKind Peer() const override { return PeerKind::PushButton; }
    void Click() override;
    bool AcceptsAccelerator(bool altHeld) const override;
    void Accelerate() override;

    // Set by the backend before painting. (Not "DrawState": <windows.h> makes that name a
    // macro, and the type would be named one way in some files and another in the rest.)
    struct FaceState {
        bool pressed = false;
        bool focused = false;
        bool hot = false;
    } State;

protected:
    // Face, glyph (the first of `frames` pictures side by side) and caption.
    void PaintFace(Canvas& canvas, TColor face, const TBitmap& glyph, int frames);
};

// A button with a kind: when the kind changes, the modal result becomes the kind's
// unless the page set one, and the caption follows the button class's rule.
class TKindButton : public TButtonControl {
public:
    Prop<TMButtonKind> Kind{mkCustom};

protected:
    TKindButton();
    // The caption's part of a kind change.
    virtual void ApplyKindCaption(TMButtonKind kind) = 0;
    // The face with the button's own glyph, or the kind's picture without one.
    void PaintKindFace(Canvas& canvas, TColor face);

private:
    void ApplyKind();
    TMButtonKind appliedKind_ = mkCustom;
    bool modalResultExplicit_ = false;
};

class TMButton : public TKindButton {
public:
    TMButton();
    Prop<int> Margin{-1};
    Prop<int> Spacing{0};
    Prop<TColor> ColorOver{clBtnFace};
    Prop<bool> LightButton{true};
    Prop<int> Style{0};
    Prop<int> Delta{0};

    void Paint(Canvas& canvas) override;

protected:
    // The four navigation kinds show their picture alone; an empty caption takes the kind's.
    void ApplyKindCaption(TMButtonKind kind) override;
};

class TNiceButton : public TKindButton {
public:
    TNiceButton();
    Prop<bool> ForcedDown{false};
    Prop<bool> InsideDraw{false};
    Prop<bool> Stretch{false};
    Prop<bool> Buffered{false};

    void Paint(Canvas& canvas) override;

protected:
    void CaptionChanged() override;
    // A caption the page did not set takes the kind's.
    void ApplyKindCaption(TMButtonKind kind) override;

private:
    bool captionExplicit_ = false;
};

// The picture a kind shows on a button without a glyph of its own (empty for most kinds).
const TBitmap& KindGlyph(TMButtonKind kind);

}  // namespace ui

#include "ui/Buttons.h"

#include <algorithm>

#include "ui/Form.h"

namespace ui {

TButtonControl::TButtonControl() {
    auto changed = [this] { Changed(); };
    Default.OnChange(changed);
    Cancel.OnChange(changed);
    CaptionVisible.OnChange(changed);
    Glyph.OnChange(changed);
    ButtonLayout.OnChange(changed);
}

void TButtonControl::Click() {
    if (ModalResult != mrNone)
        if (TForm* form = OwnerForm()) form->ModalResult = int(ModalResult);
    TControl::Click();
}

bool TButtonControl::AcceptsAccelerator(bool) const { return true; }

void TButtonControl::Accelerate() {
    if (CanFocus()) Click();
}

void TButtonControl::PaintFace(Canvas& canvas, TColor face, const TBitmap& glyph, int frames) {
    const int w = Width, h = Height;
    const bool down = State.pressed;
    canvas.FillRect({0, 0, w, h}, face);
    if (Default || State.focused) canvas.FrameRect({0, 0, w, h}, clWindowFrame);
    TRect inner = (Default || State.focused) ? TRect{1, 1, w - 1, h - 1} : TRect{0, 0, w, h};
    if (down)
        canvas.Frame3D(inner, clBtnShadow, clBtnHighlight, 1);
    else
        canvas.Frame3D(inner, clBtnHighlight, clBtnShadow, 1);

    const bool enabled = EnabledChain();
    canvas.SetFont(EffectiveFont());
    const std::string& caption = Caption;
    const bool showCaption = CaptionVisible && !caption.empty();
    TSize text = showCaption ? canvas.CaptionExtent(caption) : TSize{0, 0};
    const int gw = glyph.Empty() ? 0 : glyph.Width / std::max(1, frames);
    const int gh = glyph.Empty() ? 0 : glyph.Height;
    const int gap = (gw && showCaption) ? 4 : 0;
    const bool vertical = ButtonLayout == blGlyphTop || ButtonLayout == blGlyphBottom;
    const int contentW = vertical ? std::max(gw, text.cx) : gw + gap + text.cx;
    const int contentH = vertical ? gh + gap + text.cy : std::max(gh, text.cy);
    const int shift = down ? 1 : 0;
    int x = (w - contentW) / 2 + shift, y = (h - contentH) / 2 + shift;
    int gx = x, gy = y + (contentH - gh) / 2, tx = x + gw + gap, ty = y + (contentH - text.cy) / 2;
    switch (ButtonLayout.get()) {
        case blGlyphRight: tx = x; gx = x + text.cx + gap; break;
        case blGlyphTop: gx = x + (contentW - gw) / 2; gy = y; tx = x + (contentW - text.cx) / 2; ty = y + gh + gap; break;
        case blGlyphBottom: tx = x + (contentW - text.cx) / 2; ty = y; gx = x + (contentW - gw) / 2; gy = y + text.cy + gap; break;
        default: break;
    }
    if (gw) {
        TBitmap first(gw, gh);
        for (int yy = 0; yy < gh; ++yy)
            for (int xx = 0; xx < gw; ++xx) first.Set(xx, yy, glyph.At(xx, yy));
        canvas.DrawBitmap(first, gx, gy, true);
    }
    if (showCaption) {
        if (enabled) {
            canvas.CaptionAt(tx, ty, caption, EffectiveFont().Color);
        } else {
            canvas.CaptionAt(tx + 1, ty + 1, caption, clBtnHighlight);
            canvas.CaptionAt(tx, ty, caption, clGrayText);
        }
    }
    if (State.focused) canvas.FrameRect({3, 3, w - 3, h - 3}, clGray);
}

// --- TKindButton ---

TKindButton::TKindButton() {
    Kind.OnChange([this] { ApplyKind(); });
    ModalResult.OnChange([this] { modalResultExplicit_ = true; });
}

void TKindButton::ApplyKind() {
    const TMButtonKind kind = Kind;
    if (kind == appliedKind_) return;
    appliedKind_ = kind;
    if (!modalResultExplicit_) ModalResult.SetQuietly(DefaultResult(kind));
    ApplyKindCaption(kind);
    Changed();
}

void TKindButton::PaintKindFace(Canvas& canvas, TColor face) {
    const bool own = !Glyph->Empty();
    PaintFace(canvas, face, own ? Glyph.get() : KindGlyph(Kind), own ? NumGlyphs.get() : 1);
}

// --- TMButton ---

TMButton::TMButton() {
    SetBounds(0, 0, 90, 40);
    auto changed = [this] { Changed(); };
    ColorOver.OnChange(changed);
    LightButton.OnChange(changed);
}

void TMButton::ApplyKindCaption(TMButtonKind kind) {
    if (kind >= mkFirst && kind <= mkLast) CaptionVisible.SetQuietly(false);
    if (Caption->empty()) Caption.SetQuietly(DefaultCaption(kind));
}

void TMButton::Paint(Canvas& canvas) {
    PaintKindFace(canvas, State.hot && LightButton ? ColorOver.get() : EffectiveColor());
}

// --- TNiceButton ---

TNiceButton::TNiceButton() {
    SetBounds(0, 0, 100, 28);
    ForcedDown.OnChange([this] { Changed(); });
}

void TNiceButton::CaptionChanged() {
    captionExplicit_ = true;
    Changed();
}

void TNiceButton::ApplyKindCaption(TMButtonKind kind) {
    if (!captionExplicit_) Caption.SetQuietly(DefaultCaption(kind));
}

void TNiceButton::Paint(Canvas& canvas) {
    const bool pressed = State.pressed;
    State.pressed = pressed || ForcedDown;
    PaintKindFace(canvas, EffectiveColor());
    State.pressed = pressed;
}

}  // namespace ui

#include "ui/Panels.h"

namespace ui {

namespace {

void PaintBevelCut(Canvas& canvas, TRect& rect, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    if (cut == bvLowered)
        canvas.Frame3D(rect, clBtnShadow, clBtnHighlight, width);
    else if (cut == bvRaised)
        canvas.Frame3D(rect, clBtnHighlight, clBtnShadow, width);
    rect = {rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width};
}

}  // namespace

TPanel::TPanel() {
    SetBounds(0, 0, 185, 41);
    TabStop.SetQuietly(false);
    auto changed = [this] { Changed(); };
    BevelOuter.OnChange(changed);
    BevelInner.OnChange(changed);
    BevelWidth.OnChange(changed);
    BorderSingle.OnChange(changed);
    Alignment.OnChange(changed);
}

void TPanel::Paint(Canvas& canvas) {
    TRect rect{0, 0, Width, Height};
    if (!Transparent) canvas.FillRect(rect, EffectiveColor());
    if (BorderSingle) {
        canvas.FrameRect(rect, clWindowFrame);
        rect = {1, 1, rect.Right - 1, rect.Bottom - 1};
    }
    PaintBevelCut(canvas, rect, BevelOuter, BevelWidth);
    PaintBevelCut(canvas, rect, BevelInner, BevelWidth);
    const std::string& caption = Caption;
    if (caption.empty()) return;
    FontSpec font = EffectiveFont();
    canvas.SetFont(font);
    TSize extent = canvas.CaptionExtent(caption);
    int x = Alignment == taCenter ? (Width - extent.cx) / 2
            : Alignment == taRightJustify ? rect.Right - extent.cx - 1
                                          : rect.Left + 1;
    int y = (Height - extent.cy) / 2;
    canvas.CaptionAt(x, y, caption, EnabledChain() ? font.Color : clGrayText);
}

TPaintedPanel::TPaintedPanel() {
    auto changed = [this] { Changed(); };
    UseHGradient.OnChange(changed);
    UseSecondColor.OnChange(changed);
    SecondColor.OnChange(changed);
    UseBorderColor.OnChange(changed);
    BorderColor.OnChange(changed);
}

void TPaintedPanel::Paint(Canvas& canvas) {
    TPanel::Paint(canvas);
    if (UseBorderColor) canvas.FrameRect({0, 0, Width, Height}, BorderColor);
    if (OnPaint) OnPaint(canvas);
}

TBevel::TBevel() {
    SetBounds(0, 0, 50, 50);
    auto changed = [this] { Changed(); };
    Shape.OnChange(changed);
    Style.OnChange(changed);
}

void TBevel::Paint(Canvas& canvas) {
    const TColor first = Style == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = Style == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width, h = Height;
    switch (Shape.get()) {
        case bsBox: canvas.Frame3D({0, 0, w, h}, first, second, 1); break;
        case bsFrame:
            canvas.FrameRect({0, 0, w - 1, h - 1}, first);
            canvas.FrameRect({1, 1, w, h}, second);
            break;
        case bsTopLine:
            canvas.Line(0, 0, w, 0, first);
            canvas.Line(0, 1, w, 1, second);
            break;
        case bsBottomLine:
            canvas.Line(0, h - 2, w, h - 2, first);
            canvas.Line(0, h - 1, w, h - 1, second);
            break;
        case bsLeftLine:
            canvas.Line(0, 0, 0, h, first);
            canvas.Line(1, 0, 1, h, second);
            break;
        case bsRightLine:
            canvas.Line(w - 2, 0, w - 2, h, first);
            canvas.Line(w - 1, 0, w - 1, h, second);
            break;
        default: break;
    }
}

TImage::TImage() {
    SetBounds(0, 0, 105, 105);
    auto changed = [this] { Changed(); };
    Picture.OnChange(changed);
    Stretch.OnChange(changed);
    Center.OnChange(changed);
}

void TImage::Paint(Canvas& canvas) {
    const TBitmap& picture = Picture;
    if (picture.Empty()) return;
    if (!Transparent) canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    int x = Center ? (Width - picture.Width) / 2 : 0;
    int y = Center ? (Height - picture.Height) / 2 : 0;
    canvas.DrawBitmap(picture, x, y, Transparent);
}

}  // namespace ui

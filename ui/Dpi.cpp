#include "ui/Dpi.h"

#include <algorithm>

#include "ui/Backend.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace ui {

int DpiScale::Pixels(int units) const { return MulDivRound(units, ppi_, 96); }

int DpiScale::Units(int pixels) const { return MulDivRound(pixels, 96, ppi_); }

int DpiScale::UnitsCovering(int pixels) const {
    const long long product = (long long)pixels * 96;
    return int(product >= 0 ? (product + ppi_ - 1) / ppi_ : product / ppi_);
}

int DpiScale::LineWidth() const { return std::max(1, Pixels(1)); }

TRect DpiScale::Pixels(const TRect& rect) const {
    return {Pixels(rect.Left), Pixels(rect.Top), Pixels(rect.Right), Pixels(rect.Bottom)};
}

FontSpec DpiScale::Pixels(const FontSpec& font) const {
    FontSpec scaled = font;
    scaled.Height = Pixels(font.Height);
    return scaled;
}

DpiScale ScreenScale() { return DpiScale(CurrentBackend().PixelsPerInch()); }

TPoint OriginInForm(const TControl& control) {
    TPoint origin;
    for (const TControl* c = &control; c && !dynamic_cast<const TForm*>(c); c = c->Parent()) {
        origin.X += c->Left;
        origin.Y += c->Top;
    }
    return origin;
}

TRect PixelBounds(const TControl& control, const DpiScale& scale) {
    const TPoint parent = control.Parent() ? OriginInForm(*control.Parent()) : TPoint{};
    const TRect inForm = Bounds(parent.X + control.Left, parent.Y + control.Top, control.Width, control.Height);
    const TRect pixels = scale.Pixels(inForm);
    const int dx = scale.Pixels(parent.X), dy = scale.Pixels(parent.Y);
    return {pixels.Left - dx, pixels.Top - dy, pixels.Right - dx, pixels.Bottom - dy};
}

}  // namespace ui

// Units and pixels. Forms and controls describe themselves in units, the pixels of a
// screen of 96 pixels per inch; the screen may have more (120, 144 at 125 % and 150 %).
// Where units become the screen's pixels (a window's place and size, painting, a font's
// height) they are multiplied by the screen's pixels per inch over 96, here and nowhere
// else. At 96 a unit is a pixel.
#pragma once

#include "ui/Font.h"
#include "ui/Types.h"

namespace ui {

class TControl;

class DpiScale {
public:
    explicit DpiScale(int pixelsPerInch = 96) : ppi_(pixelsPerInch > 0 ? pixelsPerInch : 96) {}

    int PixelsPerInch() const { return ppi_; }
    bool IsIdentity() const { return ppi_ == 96; }

    // A position or an edge, to the nearest pixel (halves away from zero).
    int Pixels(int units) const;
    // A pixel position back in units, to the nearest unit.
    int Units(int pixels) const;
    // A measured pixel extent in units, rounded up: what was measured fits in it.
    int UnitsCovering(int pixels) const;
    // How many pixels wide the kit's one-unit lines and frames are drawn.
    int LineWidth() const;

    // A rectangle by its edges, so that rectangles that touch in units touch in pixels.
    TRect Pixels(const TRect& rect) const;
    FontSpec Pixels(const FontSpec& font) const;

private:
    int ppi_;
};

// The screen's scale, by the pixels per inch that the backend has from the system.
DpiScale ScreenScale();

// Where the control lies in its form's client area, in units (a form: at 0, 0).
TPoint OriginInForm(const TControl& control);

// The control's rectangle in pixels within its parent's client area. Every edge lies
// where the form's scaled grid puts it, whatever the nesting: neighbours and a child
// that fills its parent leave no gap and no overlap.
TRect PixelBounds(const TControl& control, const DpiScale& scale);

}  // namespace ui

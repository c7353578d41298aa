// The title bar across the top of every page and message box: a vertical gradient in
// bands (a flat fill on screens of 256 colours or fewer) with a shadowed title.
#pragma once

#include <vector>

#include "ui/Control.h"

namespace ui {

enum TIconStyle { isNone, isSearch, isDetail };

// One horizontal band of equal colour, rows [top, bottom).
struct GradientBand {
    int top = 0, bottom = 0;
    TColor color = 0;
    bool operator==(const GradientBand&) const = default;
};

// The bands of a vertical gradient over `height` rows: row y has, in each of red, green
// and blue, start + y * (end - start) / height rounded to the nearest whole number.
// Colours must be resolved (no system colours). Height 0 gives no band.
std::vector<GradientBand> GradientBands(TColor start, TColor end, int height);

// Where the title goes: left edge of the text area and the text's top-left corner.
struct TitleTextPlacement {
    int edgeLeft = 0, edgeRight = 0;  // the text area
    int left = 0, top = 0;            // the shadow's corner
    int dx = 0, dy = 0;               // the title itself, relative to the shadow
};
TitleTextPlacement PlaceTitleText(int barWidth, int barHeight, int textHeight, TIconStyle icon);

constexpr int TitleIconWidth = 20;

class TTitleBar : public TGraphicControl {
public:
    TTitleBar();

    Prop<TColor> CaptionColor{clWhite};
    Prop<TColor> StartColor{0x4D3004};
    Prop<TColor> EndColor{0xEFEFEF};
    Prop<TIconStyle> IconStyle{isNone};
    Prop<bool> Grayed{false};

    // The look every page gives its bar: flat $8C4A08, white 13-pixel bold title.
    void UsePageLook();

    void Paint(Canvas& canvas) override;

private:
    void PaintIcon(Canvas& canvas, int left, int height);
};

}  // namespace ui

#include "ui/Font.h"

namespace ui {

int MulDivRound(int value, int numerator, int denominator) {
    long long product = (long long)value * numerator;
    long long half = denominator / 2;
    return int(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

int PointsToPixels(int points, int pixelsPerInch) { return MulDivRound(points, pixelsPerInch, 72); }
int PixelsToPoints(int pixels, int pixelsPerInch) { return MulDivRound(pixels, 72, pixelsPerInch); }

void TFont::Assign(const FontSpec& spec) {
    assigning_ = true;
    Name = spec.Name;
    Height = spec.Height;
    Style = spec.Style;
    Color = spec.Color;
    assigning_ = false;
    Changed();
}

void TFont::Hook() {
    auto changed = [this] { Changed(); };
    Name.OnChange(changed);
    Height.OnChange(changed);
    Style.OnChange(changed);
    Color.OnChange(changed);
}

}  // namespace ui

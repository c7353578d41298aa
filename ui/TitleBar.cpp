#include "ui/TitleBar.h"

#include <cmath>

#include "ui/Application.h"

namespace ui {

std::vector<GradientBand> GradientBands(TColor start, TColor end, int height) {
    std::vector<GradientBand> bands;
    if (height <= 0) return bands;
    const double stepR = double(RedOf(end) - RedOf(start)) / height;
    const double stepG = double(GreenOf(end) - GreenOf(start)) / height;
    const double stepB = double(BlueOf(end) - BlueOf(start)) / height;
    for (int y = 0; y < height; ++y) {
        TColor row = RgbColor(int(std::lround(RedOf(start) + stepR * y)),
                              int(std::lround(GreenOf(start) + stepG * y)),
                              int(std::lround(BlueOf(start) + stepB * y)));
        if (!bands.empty() && bands.back().color == row)
            bands.back().bottom = y + 1;
        else
            bands.push_back({y, y + 1, row});
    }
    return bands;
}

TitleTextPlacement PlaceTitleText(int barWidth, int barHeight, int textHeight, TIconStyle icon) {
    TitleTextPlacement p;
    p.edgeLeft = icon == isNone ? 10 : TitleIconWidth / 2 + 15;
    p.edgeRight = barWidth - p.edgeLeft - 10;
    p.top = (barHeight - textHeight) / 2;
    p.left = p.edgeLeft + 5;
    p.dx = -1;
    p.dy = -1;
    return p;
}

TTitleBar::TTitleBar() {
    Color.SetQuietly(clActiveCaption);
    ParentColor.SetQuietly(false);
    ParentFont.SetQuietly(false);
    FontSpec font{"Ms Sans Serif", PointsToPixels(ScreenPixelsPerInch() == 96 ? 10 : 11), fsBold, clBlack};
    Font = font;
    ParentFont.SetQuietly(false);
    Height.SetQuietly(25);
    Width.SetQuietly(100);
    auto changed = [this] { Changed(); };
    CaptionColor.OnChange(changed);
    StartColor.OnChange(changed);
    EndColor.OnChange(changed);
    IconStyle.OnChange(changed);
    Grayed.OnChange(changed);
}

void TTitleBar::UsePageLook() {
    StartColor = 0x8C4A08;
    EndColor = 0x8C4A08;
    CaptionColor = clWhite;
    FontSpec font = Font.Spec();
    font.Height = 13;
    font.Style = fsBold;
    Font = font;
}

void TTitleBar::Paint(Canvas& canvas) {
    const int width = Width, height = Height;
    if (height <= 0) return;
    if (canvas.BitsPerPixel() <= 8) {
        canvas.FillRect({0, 0, width, height}, canvas.Resolve(Color));
    } else {
        for (const GradientBand& band :
             GradientBands(canvas.Resolve(StartColor), canvas.Resolve(EndColor), height))
            canvas.FillRect({0, band.top, width, band.bottom}, band.color);
    }
    if (IconStyle != isNone) PaintIcon(canvas, 5, height);
    canvas.SetFont(Font.Spec());
    const std::string& title = Caption;
    TitleTextPlacement p =
        PlaceTitleText(width, height, canvas.TextExtent(title.empty() ? "X" : title).cy, IconStyle);
    canvas.TextAt(p.left, p.top, title, Font.Color);
    canvas.TextAt(p.left + p.dx, p.top + p.dy, title, Grayed ? clGrayText : CaptionColor.get());
}

// A small magnifier (search) or a sheet with lines (detail).
void TTitleBar::PaintIcon(Canvas& canvas, int left, int height) {
    const int size = 16, top = (height - size) / 2;
    if (IconStyle == isSearch) {
        canvas.FrameRect({left + 1, top + 1, left + 10, top + 10}, clWhite);
        for (int i = 0; i < 5; ++i)
            canvas.FillRect({left + 9 + i, top + 9 + i, left + 12 + i, top + 11 + i}, clWhite);
    } else {
        canvas.FillRect({left + 2, top, left + 14, top + size}, clWhite);
        for (int y = top + 3; y < top + size - 2; y += 3) canvas.Line(left + 4, y, left + 12, y, clGray);
    }
}

}  // namespace ui

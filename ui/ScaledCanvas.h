// A canvas in units over a canvas in pixels: what a control paints in its own units
// lands on the screen's pixels where its form's scaled grid puts it (Dpi.h). Text is
// drawn in fonts of the scaled height and measured back in units, rounded up so that
// it fits what was measured; lines and frames are LineWidth pixels wide; pictures are
// stretched to their scaled size, each pixel repeated, so that a picture's transparent
// colour stays exact. At 96 pixels per inch every call reaches the pixel canvas as it
// was made.
#pragma once

#include <memory>

#include "ui/Canvas.h"
#include "ui/Dpi.h"

namespace ui {

class ScaledCanvas : public Canvas {
public:
    // `origin`: where the painted control lies in its form, in units; the pixel canvas's
    // own origin is that point's pixel.
    ScaledCanvas(Canvas& pixels, DpiScale scale, TPoint origin = {});
    // The same over a canvas of its own (for measuring).
    ScaledCanvas(std::unique_ptr<Canvas> pixels, DpiScale scale);

    void FillRect(const TRect& rect, TColor color) override;
    void FrameRect(const TRect& rect, TColor color) override;
    void Line(int x1, int y1, int x2, int y2, TColor color) override;
    void TextAt(int x, int y, const std::string& text, TColor color) override;
    void TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) override;
    TSize TextExtent(const std::string& text) override;
    void SetFont(const FontSpec& font) override;
    void DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) override;
    int BitsPerPixel() override { return pixels_.BitsPerPixel(); }
    TColor Resolve(TColor color) override { return pixels_.Resolve(color); }
    void Frame3D(TRect rect, TColor topLeft, TColor bottomRight, int width = 1) override;
    void CaptionAt(int x, int y, const std::string& caption, TColor color) override;

private:
    int X(int x) const;
    int Y(int y) const;
    TRect Rect(const TRect& rect) const;

    std::unique_ptr<Canvas> owned_;
    Canvas& pixels_;
    DpiScale scale_;
    TPoint origin_;
};

// The picture at another size, each pixel of the result taken from the pixel it covers.
TBitmap StretchedBitmap(const TBitmap& bitmap, int width, int height);

}  // namespace ui

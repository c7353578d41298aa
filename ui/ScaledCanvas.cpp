#include "ui/ScaledCanvas.h"

#include <algorithm>

namespace ui {

ScaledCanvas::ScaledCanvas(Canvas& pixels, DpiScale scale, TPoint origin)
    : pixels_(pixels), scale_(scale), origin_(origin) {}

ScaledCanvas::ScaledCanvas(std::unique_ptr<Canvas> pixels, DpiScale scale)
    : owned_(std::move(pixels)), pixels_(*owned_), scale_(scale) {}

int ScaledCanvas::X(int x) const { return scale_.Pixels(origin_.X + x) - scale_.Pixels(origin_.X); }
int ScaledCanvas::Y(int y) const { return scale_.Pixels(origin_.Y + y) - scale_.Pixels(origin_.Y); }
TRect ScaledCanvas::Rect(const TRect& rect) const { return {X(rect.Left), Y(rect.Top), X(rect.Right), Y(rect.Bottom)}; }

void ScaledCanvas::FillRect(const TRect& rect, TColor color) { pixels_.FillRect(Rect(rect), color); }

void ScaledCanvas::FrameRect(const TRect& rect, TColor color) {
    TRect r = Rect(rect);
    for (int i = 0; i < scale_.LineWidth() && r.Width() > 0 && r.Height() > 0; ++i) {
        pixels_.FrameRect(r, color);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

void ScaledCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
    if (scale_.IsIdentity() || (x1 != x2 && y1 != y2)) {
        pixels_.Line(X(x1), Y(y1), X(x2), Y(y2), color);
        return;
    }
    // A straight line covers its first point and stops before its last, as the
    // platform draws one; scaled, it is a band LineWidth pixels thick.
    auto span = [](int from, int to) {
        return from <= to ? std::pair{from, to} : std::pair{to + 1, from + 1};
    };
    const int width = scale_.LineWidth();
    if (y1 == y2) {
        auto [left, right] = span(x1, x2);
        pixels_.FillRect({X(left), Y(y1), X(right), Y(y1) + width}, color);
    } else {
        auto [top, bottom] = span(y1, y2);
        pixels_.FillRect({X(x1), Y(top), X(x1) + width, Y(bottom)}, color);
    }
}

void ScaledCanvas::TextAt(int x, int y, const std::string& text, TColor color) {
    pixels_.TextAt(X(x), Y(y), text, color);
}

void ScaledCanvas::TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) {
    pixels_.TextClipped(Rect(clip), X(x), Y(y), text, color);
}

TSize ScaledCanvas::TextExtent(const std::string& text) {
    const TSize pixels = pixels_.TextExtent(text);
    return {scale_.UnitsCovering(pixels.cx), scale_.UnitsCovering(pixels.cy)};
}

void ScaledCanvas::SetFont(const FontSpec& font) { pixels_.SetFont(scale_.Pixels(font)); }

void ScaledCanvas::DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) {
    if (scale_.IsIdentity()) {
        pixels_.DrawBitmap(bitmap, X(x), Y(y), transparent);
        return;
    }
    const TRect place = Rect(Bounds(x, y, bitmap.Width, bitmap.Height));
    pixels_.DrawBitmap(StretchedBitmap(bitmap, place.Width(), place.Height()), place.Left, place.Top, transparent);
}

void ScaledCanvas::Frame3D(TRect rect, TColor topLeft, TColor bottomRight, int width) {
    pixels_.Frame3D(Rect(rect), topLeft, bottomRight, width * scale_.LineWidth());
}

void ScaledCanvas::CaptionAt(int x, int y, const std::string& caption, TColor color) {
    pixels_.CaptionAt(X(x), Y(y), caption, color);
}

TBitmap StretchedBitmap(const TBitmap& bitmap, int width, int height) {
    if (bitmap.Empty() || width <= 0 || height <= 0) return {};
    TBitmap stretched(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            stretched.Set(x, y, bitmap.At(x * bitmap.Width / width, y * bitmap.Height / height));
    return stretched;
}

}  // namespace ui

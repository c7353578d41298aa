#include "ui/MessagePictures.h"

#include <cmath>

namespace ui {
namespace {

constexpr TColor kKey = clFuchsia;
constexpr int W = MessagePictureWidth, H = MessagePictureHeight;

void Disc(TBitmap& b, double cx, double cy, double r, TColor c) {
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) b.Set(x, y, c);
}

void Box(TBitmap& b, int left, int top, int right, int bottom, TColor c) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) b.Set(x, y, c);
}

// A thick stroke between two points.
void Stroke(TBitmap& b, double x1, double y1, double x2, double y2, double half, TColor c) {
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) {
            double px = x + 0.5, py = y + 0.5, dx = x2 - x1, dy = y2 - y1;
            double t = ((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy);
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            if (std::hypot(px - (x1 + t * dx), py - (y1 + t * dy)) <= half) b.Set(x, y, c);
        }
}

// A shadow below the figure, as the old box pictures had.
void Shadow(TBitmap& b) { Box(b, 6, 56, 38, 59, clGray); }

TBitmap Warning() {
    TBitmap b(W, H, kKey);
    Shadow(b);
    // A yellow triangle with a dark edge, an exclamation mark inside.
    for (int y = 14; y < 54; ++y) {
        double half = (y - 14) * 0.5 + 0.5;
        for (int x = 0; x < W; ++x) {
            double d = std::fabs(x + 0.5 - 21);
            if (d <= half) b.Set(x, y, d >= half - 2 || y >= 52 ? clBlack : clYellow);
        }
    }
    Box(b, 19, 26, 23, 43, clBlack);
    Box(b, 19, 46, 23, 50, clBlack);
    return b;
}

TBitmap Error() {
    TBitmap b(W, H, kKey);
    Shadow(b);
    Disc(b, 21, 34, 19, clMaroon);
    Disc(b, 21, 34, 17, clRed);
    Stroke(b, 13, 26, 29, 42, 2.5, clWhite);
    Stroke(b, 29, 26, 13, 42, 2.5, clWhite);
    return b;
}

TBitmap Information() {
    TBitmap b(W, H, kKey);
    Shadow(b);
    Disc(b, 21, 34, 19, clNavy);
    Disc(b, 21, 34, 17, clWhite);
    Disc(b, 21, 23, 3, clBlue);
    Box(b, 18, 29, 24, 47, clBlue);
    Box(b, 15, 46, 27, 48, clBlue);
    return b;
}

TBitmap Confirmation() {
    TBitmap b(W, H, kKey);
    Shadow(b);
    Disc(b, 21, 34, 19, clGreen);
    Disc(b, 21, 34, 17, clWhite);
    Stroke(b, 14, 27, 17, 22, 2.2, clGreen);
    Stroke(b, 17, 22, 25, 22, 2.2, clGreen);
    Stroke(b, 25, 22, 28, 27, 2.2, clGreen);
    Stroke(b, 28, 27, 21, 35, 2.2, clGreen);
    Stroke(b, 21, 35, 21, 39, 2.2, clGreen);
    Disc(b, 21, 45, 2.6, clGreen);
    return b;
}

}  // namespace

const TBitmap& MessagePicture(TMsgDlgType kind) {
    static const TBitmap warning = Warning(), error = Error(), information = Information(),
                         confirmation = Confirmation(), none;
    switch (kind) {
        case mtWarning: return warning;
        case mtError: return error;
        case mtInformation: return information;
        case mtConfirmation: return confirmation;
        default: return none;
    }
}

}  // namespace ui

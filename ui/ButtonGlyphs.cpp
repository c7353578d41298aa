// The pictures of the button kinds that this program shows, drawn in code: 16 x 16,
// white (the bottom-left colour) is transparent.
#include <array>
#include <cstdlib>

#include "ui/Buttons.h"

namespace ui {
namespace {

constexpr int kSize = 16;

void Thick(TBitmap& b, int x, int y, TColor c) {
    b.Set(x, y, c);
    b.Set(x + 1, y, c);
    b.Set(x, y + 1, c);
    b.Set(x + 1, y + 1, c);
}

void DrawLine(TBitmap& b, int x1, int y1, int x2, int y2, TColor c) {
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1, err = dx + dy;
    for (;;) {
        Thick(b, x1, y1, c);
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x1 += sx; }
        if (e2 <= dx) { err += dx; y1 += sy; }
    }
}

TBitmap Tick(TColor c) {
    TBitmap b(kSize, kSize);
    DrawLine(b, 2, 8, 6, 12, c);
    DrawLine(b, 6, 12, 13, 3, c);
    return b;
}

TBitmap Cross(TColor c) {
    TBitmap b(kSize, kSize);
    DrawLine(b, 3, 3, 12, 12, c);
    DrawLine(b, 12, 3, 3, 12, c);
    return b;
}

TBitmap Arrow(bool right, TColor c) {
    TBitmap b(kSize, kSize);
    for (int i = 0; i < 7; ++i) {
        int x = right ? 4 + i : 11 - i;
        for (int y = 1 + i; y < kSize - 1 - i; ++y) b.Set(x, y, c);
    }
    return b;
}

TBitmap Door(TColor c) {
    TBitmap b(kSize, kSize);
    for (int y = 2; y < 14; ++y) {
        b.Set(3, y, c);
        b.Set(10, y, c);
    }
    for (int x = 3; x <= 10; ++x) {
        b.Set(x, 2, c);
        b.Set(x, 13, c);
    }
    DrawLine(b, 7, 8, 13, 8, clRed);
    return b;
}

TBitmap Question(TColor c) {
    TBitmap b(kSize, kSize);
    DrawLine(b, 4, 4, 6, 2, c);
    DrawLine(b, 6, 2, 10, 2, c);
    DrawLine(b, 10, 2, 11, 5, c);
    DrawLine(b, 11, 5, 7, 8, c);
    DrawLine(b, 7, 8, 7, 10, c);
    Thick(b, 7, 12, c);
    return b;
}

}  // namespace

const TBitmap& KindGlyph(TMButtonKind kind) {
    static const std::array<TBitmap, ButtonKindCount> glyphs = [] {
        std::array<TBitmap, ButtonKindCount> g;
        g[mkOK] = Tick(clGreen);
        g[mkYes] = Tick(clGreen);
        g[mkCancel] = Cross(clRed);
        g[mkNo] = Cross(clRed);
        g[mkAbort] = Cross(clMaroon);
        g[mkClose] = Door(clNavy);
        g[mkHelp] = Question(clNavy);
        g[mkAction] = Question(clNavy);
        g[mknNext] = Arrow(true, clNavy);
        g[mkNext] = Arrow(true, clNavy);
        g[mkNextPag] = Arrow(true, clNavy);
        g[mknPrev] = Arrow(false, clNavy);
        g[mkPrev] = Arrow(false, clNavy);
        g[mkPrevPag] = Arrow(false, clNavy);
        g[mkRetry] = Arrow(false, clGreen);
        g[mkIgnore] = Arrow(true, clOlive);
        g[mkAll] = Tick(clTeal);
        return g;
    }();
    int index = int(kind);
    if (index < 0 || index >= ButtonKindCount) index = mkCustom;
    return glyphs[size_t(index)];
}

}  // namespace ui

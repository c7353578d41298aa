#include "pages/wizard/PagePictures.h"

#include <cstdlib>

namespace pages {

namespace {

void Fill(ui::TBitmap& b, int left, int top, int right, int bottom, ui::TColor c) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) b.Set(x, y, c);
}

void Frame(ui::TBitmap& b, int left, int top, int right, int bottom, ui::TColor c) {
    Fill(b, left, top, right, top + 1, c);
    Fill(b, left, bottom - 1, right, bottom, c);
    Fill(b, left, top, left + 1, bottom, c);
    Fill(b, right - 1, top, right, bottom, c);
}

// A line `thickness` pixels wide, drawn square by square.
void Line(ui::TBitmap& b, int x1, int y1, int x2, int y2, int thickness, ui::TColor c) {
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1, err = dx + dy;
    for (;;) {
        Fill(b, x1, y1, x1 + thickness, y1 + thickness, c);
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x1 += sx; }
        if (e2 <= dx) { err += dx; y1 += sy; }
    }
}

constexpr ui::TColor kFolderYellow = 0x00C0FF, kFolderEdge = 0x006090;

ui::TBitmap DrawFolder() {
    ui::TBitmap b(16, 16);
    Fill(b, 1, 3, 7, 5, kFolderYellow);       // the tab
    Fill(b, 1, 5, 14, 14, kFolderYellow);     // the body
    Frame(b, 1, 5, 14, 14, kFolderEdge);
    Frame(b, 1, 3, 7, 6, kFolderEdge);
    Line(b, 3, 8, 15, 8, 1, kFolderEdge);     // the open flap
    Line(b, 3, 8, 1, 13, 1, kFolderEdge);
    return b;
}

ui::TBitmap DrawFinished() {
    ui::TBitmap b(64, 64);
    Fill(b, 4, 6, 60, 46, ui::clSilver);      // the monitor's case
    Frame(b, 4, 6, 60, 46, ui::clGray);
    Fill(b, 9, 11, 55, 41, ui::clNavy);       // its screen
    Fill(b, 26, 46, 38, 52, ui::clGray);      // the stand
    Fill(b, 16, 52, 48, 56, ui::clSilver);
    Frame(b, 16, 52, 48, 56, ui::clGray);
    Line(b, 17, 26, 26, 34, 3, ui::clLime);   // the tick
    Line(b, 26, 34, 45, 15, 3, ui::clLime);
    return b;
}

}  // namespace

const ui::TBitmap& FolderGlyph() {
    static const ui::TBitmap glyph = DrawFolder();
    return glyph;
}

const ui::TBitmap& FinishedPicture() {
    static const ui::TBitmap picture = DrawFinished();
    return picture;
}

}  // namespace pages

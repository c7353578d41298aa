#include "core/BackdropArt.h"

#include <cmath>

#include "core/Backdrop.h"

namespace core {
namespace {

using ui::TBitmap;
using ui::TColor;

constexpr TColor kKey = ui::clFuchsia;

void Fill(TBitmap& b, int left, int top, int right, int bottom, TColor c) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) b.Set(x, y, c);
}

void Outline(TBitmap& b, int left, int top, int right, int bottom, TColor c) {
    for (int x = left; x < right; ++x) {
        b.Set(x, top, c);
        b.Set(x, bottom - 1, c);
    }
    for (int y = top; y < bottom; ++y) {
        b.Set(left, y, c);
        b.Set(right - 1, y, c);
    }
}

TColor Mix(TColor a, TColor b, double t) {
    auto part = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return ui::RgbColor(part(ui::RedOf(a), ui::RedOf(b)), part(ui::GreenOf(a), ui::GreenOf(b)),
                        part(ui::BlueOf(a), ui::BlueOf(b)));
}

}  // namespace

TBitmap LedgerArtwork() {
    TBitmap b(446, 218, kKey);
    const TColor paper = ui::RgbColor(236, 242, 250), ink = ui::RgbColor(40, 90, 160);
    // An open ledger, slightly lighter on the right page.
    Fill(b, 10, 20, 220, 200, paper);
    Fill(b, 224, 20, 434, 200, Mix(paper, ui::clWhite, 0.5));
    Outline(b, 10, 20, 220, 200, ink);
    Outline(b, 224, 20, 434, 200, ink);
    for (int y = 44; y < 196; y += 12) {
        Fill(b, 20, y, 210, y + 1, Mix(paper, ink, 0.35));
        Fill(b, 234, y, 424, y + 1, Mix(paper, ink, 0.35));
    }
    Fill(b, 150, 24, 151, 196, ui::RgbColor(200, 60, 60));
    // A bar chart on the right page, rising.
    const int bars[] = {40, 62, 55, 88, 104, 131};
    for (int i = 0; i < 6; ++i) {
        int left = 246 + i * 30, top = 190 - bars[i];
        Fill(b, left, top, left + 20, 190, Mix(ink, ui::RgbColor(90, 170, 230), i / 6.0));
    }
    return b;
}

TBitmap BannerArtwork() {
    TBitmap b(197, 70, kKey);
    for (int y = 8; y < 62; ++y) {
        TColor row = Mix(ui::RgbColor(250, 200, 60), ui::RgbColor(230, 120, 20), (y - 8) / 54.0);
        Fill(b, 6, y, 191, y + 1, row);
    }
    Outline(b, 6, 8, 191, 62, ui::RgbColor(120, 60, 10));
    for (int i = 0; i < 4; ++i) Fill(b, 20 + i * 42, 30, 48 + i * 42, 40, ui::clWhite);
    return b;
}

TBitmap CoinArtwork() {
    TBitmap b(65, 45, BackdropColor);
    const TColor gold = ui::RgbColor(240, 196, 40), edge = ui::RgbColor(150, 100, 10);
    for (int coin = 0; coin < 4; ++coin) {
        const double cx = 32, cy = 34 - coin * 8;
        for (int y = 0; y < b.Height; ++y)
            for (int x = 0; x < b.Width; ++x) {
                double dx = (x + 0.5 - cx) / 24, dy = (y + 0.5 - cy) / 8;
                double d = dx * dx + dy * dy;
                if (d <= 1.0) b.Set(x, y, d > 0.75 ? edge : gold);
            }
    }
    return b;
}

}  // namespace core

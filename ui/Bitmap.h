// A small picture held in memory: rows of colours, top row first.
#pragma once

#include <cstddef>
#include <vector>

#include "ui/Types.h"

namespace ui {

struct TBitmap {
    int Width = 0, Height = 0;
    std::vector<TColor> Pixels;  // Width * Height, row by row from the top

    TBitmap() = default;
    TBitmap(int width, int height, TColor fill = clWhite)
        : Width(width), Height(height), Pixels(size_t(width) * size_t(height), fill) {}
    bool Empty() const { return Width <= 0 || Height <= 0; }
    TColor At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
    void Set(int x, int y, TColor c) {
        if (x >= 0 && y >= 0 && x < Width && y < Height) Pixels[size_t(y) * size_t(Width) + size_t(x)] = c;
    }
    // The colour that a transparent drawing leaves out: the bottom-left pixel.
    TColor TransparentColor() const { return Empty() ? clWhite : At(0, Height - 1); }
};

}  // namespace ui

// The kit's canvas on a GDI device context, and the cache of GDI fonts it draws with.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"
#include "ui/Canvas.h"
#include "ui/win32/GdiHandles.h"

namespace ui::win32 {

using plat::Narrow;
using plat::Widen;

// One HFONT per font description, kept for the life of the program.
HFONT FontFor(const FontSpec& font);

class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;

    void FillRect(const TRect& rect, TColor color) override;
    void FrameRect(const TRect& rect, TColor color) override;
    void Line(int x1, int y1, int x2, int y2, TColor color) override;
    void TextAt(int x, int y, const std::string& text, TColor color) override;
    void TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) override;
    TSize TextExtent(const std::string& text) override;
    void SetFont(const FontSpec& font) override;
    void DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) override;
    int BitsPerPixel() override;
    TColor Resolve(TColor color) override;

    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    int savedState_;
    Selection font_;
};

// A memory context compatible with the screen, for measuring.
struct ScreenCompatibleDc {
    MemoryDc dc{CreateCompatibleDC(nullptr)};
};

// A canvas for measuring text, on a memory context compatible with the screen (the
// context outlives the canvas's restoring of it).
class MeasuringGdiCanvas : private ScreenCompatibleDc, public GdiCanvas {
public:
    MeasuringGdiCanvas();
};

}  // namespace ui::win32

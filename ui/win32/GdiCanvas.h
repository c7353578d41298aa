// The kit's canvas on a GDI device context, and the cache of GDI fonts it draws with.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/Canvas.h"

namespace ui::win32 {

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

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
    TSize TextExtent(const std::string& text) override;
    void SetFont(const FontSpec& font) override;
    void DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) override;
    int BitsPerPixel() override;
    TColor Resolve(TColor color) override;

    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ originalFont_;
    int savedState_;
};

struct OwnedScreenDc {
    OwnedScreenDc();
    ~OwnedScreenDc();
    HDC dc;
};

// A canvas for measuring text, on a memory context compatible with the screen (the
// context outlives the canvas's restoring of it).
class MeasuringGdiCanvas : private OwnedScreenDc, public GdiCanvas {
public:
    MeasuringGdiCanvas();
};

}  // namespace ui::win32

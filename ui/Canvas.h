// The one drawing surface of the kit. Every control paints through it, so the same
// painting code runs on the platform's device contexts and in the recording canvas of
// the tests. Coordinates are the painted control's own, origin at its top-left corner.
#pragma once

#include <string>

#include "ui/Bitmap.h"
#include "ui/Font.h"
#include "ui/Types.h"

namespace ui {

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void FillRect(const TRect& rect, TColor color) = 0;
    // A one-pixel outline just inside `rect`.
    virtual void FrameRect(const TRect& rect, TColor color) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, TColor color) = 0;
    // Text on a transparent background, its top-left corner at (x, y), in the current font.
    virtual void TextAt(int x, int y, const std::string& text, TColor color) = 0;
    // The same, drawn only inside `clip`: one text in two colours over two backgrounds.
    virtual void TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) = 0;
    // Extent of one line of text in the current font.
    virtual TSize TextExtent(const std::string& text) = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    // With `transparent`, pixels of the bitmap's transparent colour are left out.
    virtual void DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) = 0;
    // The screen's colour depth (a title bar draws flat at 8 bits or fewer).
    virtual int BitsPerPixel() = 0;
    // A system colour turned into its current value; other colours unchanged.
    virtual TColor Resolve(TColor color) = 0;

    // Drawn from the primitives above (a scaling canvas draws them whole, in pixels).
    // A frame `width` pixels wide: `topLeft` on the top and left edges, `bottomRight`
    // on the bottom and right edges.
    virtual void Frame3D(TRect rect, TColor topLeft, TColor bottomRight, int width = 1);
    // A caption whose "&" marks the accelerator: the marked letter is underlined and a
    // doubled "&&" draws one ampersand.
    virtual void CaptionAt(int x, int y, const std::string& caption, TColor color);
    TSize CaptionExtent(const std::string& caption);
};

// A caption without its accelerator marks, and the index of the underlined letter (-1: none).
struct StrippedCaption {
    std::string text;
    int underline = -1;
};
StrippedCaption StripAccelerator(const std::string& caption);
// The accelerator letter of a caption in upper case, or 0.
char AcceleratorOf(const std::string& caption);

}  // namespace ui

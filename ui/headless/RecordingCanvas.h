// A canvas that records what is drawn, for tests. Text measures with fixed metrics:
//   a character is (Height + 1) / 2 pixels wide, one more when bold;
//   a line is Height + 2 pixels high (11-pixel text: 6 x 13 per character).
// System colours resolve to the fixed values of SystemColorValue.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace ui::headless {

struct DrawOp {
    enum Kind { Fill, Frame, Line, Text, Bitmap } kind = Fill;
    TRect rect;        // Fill, Frame; Line from (Left, Top) to (Right, Bottom); Bitmap's place
    TColor color = 0;  // resolved
    std::string text;  // Text
    FontSpec font;     // Text
    int x = 0, y = 0;  // Text, Bitmap
    bool transparent = false;
    std::optional<TRect> clip;  // Text drawn only inside it
};

TSize MeasureText(const FontSpec& font, const std::string& text);
// The value a system colour has in the headless world (the classic grey scheme).
TColor SystemColorValue(int index);

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(int bitsPerPixel = 32) : bitsPerPixel_(bitsPerPixel) {}

    void FillRect(const TRect& rect, TColor color) override;
    void FrameRect(const TRect& rect, TColor color) override;
    void Line(int x1, int y1, int x2, int y2, TColor color) override;
    void TextAt(int x, int y, const std::string& text, TColor color) override;
    void TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) override;
    TSize TextExtent(const std::string& text) override;
    void SetFont(const FontSpec& font) override { font_ = font; }
    void DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) override;
    int BitsPerPixel() override { return bitsPerPixel_; }
    TColor Resolve(TColor color) override;

    std::vector<DrawOp> ops;
    // Only the operations of one kind.
    std::vector<DrawOp> Of(DrawOp::Kind kind) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;

private:
    FontSpec font_;
    int bitsPerPixel_;
};

}  // namespace ui::headless

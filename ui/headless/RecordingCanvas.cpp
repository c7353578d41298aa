#include "ui/headless/RecordingCanvas.h"

namespace ui::headless {

TSize MeasureText(const FontSpec& font, const std::string& text) {
    int advance = (font.Height + 1) / 2 + ((font.Style & fsBold) ? 1 : 0);
    return {advance * int(text.size()), font.Height + 2};
}

TColor SystemColorValue(int index) {
    static constexpr TColor kValues[21] = {
        0xC8C8C8, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000,
        0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000,
        0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF,
    };
    return index >= 0 && index < 21 ? kValues[index] : 0;
}

TColor RecordingCanvas::Resolve(TColor color) {
    return IsSystemColor(color) ? SystemColorValue(SystemColorIndex(color)) : color;
}

void RecordingCanvas::FillRect(const TRect& rect, TColor color) {
    DrawOp op;
    op.kind = DrawOp::Fill;
    op.rect = rect;
    op.color = Resolve(color);
    ops.push_back(op);
}

void RecordingCanvas::FrameRect(const TRect& rect, TColor color) {
    DrawOp op;
    op.kind = DrawOp::Frame;
    op.rect = rect;
    op.color = Resolve(color);
    ops.push_back(op);
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
    DrawOp op;
    op.kind = DrawOp::Line;
    op.rect = {x1, y1, x2, y2};
    op.color = Resolve(color);
    ops.push_back(op);
}

void RecordingCanvas::TextAt(int x, int y, const std::string& text, TColor color) {
    DrawOp op;
    op.kind = DrawOp::Text;
    op.x = x;
    op.y = y;
    op.text = text;
    op.font = font_;
    op.color = Resolve(color);
    ops.push_back(op);
}

void RecordingCanvas::TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) {
    TextAt(x, y, text, color);
    ops.back().clip = clip;
}

TSize RecordingCanvas::TextExtent(const std::string& text) { return MeasureText(font_, text); }

void RecordingCanvas::DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) {
    DrawOp op;
    op.kind = DrawOp::Bitmap;
    op.x = x;
    op.y = y;
    op.rect = Bounds(x, y, bitmap.Width, bitmap.Height);
    op.transparent = transparent;
    ops.push_back(op);
}

std::vector<DrawOp> RecordingCanvas::Of(DrawOp::Kind kind) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> out;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text) out.push_back(op.text);
    return out;
}

}  // namespace ui::headless

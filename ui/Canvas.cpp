#include "ui/Canvas.h"

#include <cctype>

namespace ui {

void Canvas::Frame3D(TRect rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && rect.Width() > 0 && rect.Height() > 0; ++i) {
        Line(rect.Left, rect.Bottom - 1, rect.Left, rect.Top, topLeft);
        Line(rect.Left, rect.Top, rect.Right - 1, rect.Top, topLeft);
        Line(rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom - 1, bottomRight);
        Line(rect.Right - 1, rect.Bottom - 1, rect.Left - 1, rect.Bottom - 1, bottomRight);
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}

StrippedCaption StripAccelerator(const std::string& caption) {
    StrippedCaption out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && out.underline < 0) out.underline = int(out.text.size());
        }
        out.text += caption[i];
    }
    return out;
}

char AcceleratorOf(const std::string& caption) {
    StrippedCaption stripped = StripAccelerator(caption);
    if (stripped.underline < 0) return 0;
    return char(std::toupper((unsigned char)stripped.text[size_t(stripped.underline)]));
}

void Canvas::CaptionAt(int x, int y, const std::string& caption, TColor color) {
    StrippedCaption stripped = StripAccelerator(caption);
    TextAt(x, y, stripped.text, color);
    if (stripped.underline < 0) return;
    int before = TextExtent(stripped.text.substr(0, size_t(stripped.underline))).cx;
    TSize letter = TextExtent(stripped.text.substr(size_t(stripped.underline), 1));
    int baseline = y + letter.cy - 1;
    Line(x + before, baseline, x + before + letter.cx, baseline, color);
}

TSize Canvas::CaptionExtent(const std::string& caption) {
    return TextExtent(StripAccelerator(caption).text);
}

}  // namespace ui

#include "ui/FmtParser.h"

#include <algorithm>
#include <cctype>

namespace ui {

const TColor FmtColorTable[FmtColorCount] = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite,
    0x80000000, 0x80000001, 0x80000002, 0x80000003, 0x80000004, 0x80000005, 0x80000006,
    0x80000007, 0x80000008, 0x80000009, 0x8000000A, 0x8000000B, 0x8000000C, 0x8000000D,
    0x8000000E, 0x8000000F, 0x80000010, 0x80000011, 0x80000012, 0x80000013, 0x80000014,
};

namespace {

constexpr int kMaxPoints = 999;

bool IsEscapable(char c) { return c == '$' || c == '%' || c == '&' || c == '@' || c == '~'; }

class Parser {
public:
    Parser(const std::string& caption, const FontSpec& base) : text_(caption) {
        FmtAttributes start;
        start.font = base;
        lines_.push_back({FmtSegment{{}, start}});
    }

    std::vector<FmtLine> Run() {
        while (pos_ < text_.size()) Step();
        return std::move(lines_);
    }

private:
    FmtSegment& Current() { return lines_.back().back(); }

    // Rule 1: text already written keeps its look.
    template <class Change>
    void ChangeAttributes(Change change) {
        if (!Current().text.empty()) lines_.back().push_back(FmtSegment{{}, Current().attributes});
        change(Current().attributes);
    }

    // The digits after a code; false when there are none. Large numbers saturate.
    bool ReadNumber(long& value) {
        size_t start = pos_;
        value = 0;
        while (pos_ < text_.size() && std::isdigit((unsigned char)text_[pos_])) {
            value = std::min(value * 10 + (text_[pos_] - '0'), 1000000000L);
            ++pos_;
        }
        return pos_ > start;
    }

    void Step() {
        const char c = text_[pos_++];
        long n = 0;
        switch (c) {
            case '\r': {
                FmtAttributes attributes = Current().attributes;
                lines_.push_back({FmtSegment{{}, attributes}});
                break;
            }
            case '@':
                if (ReadNumber(n) && n < FmtColorCount)
                    ChangeAttributes([&](FmtAttributes& a) { a.font.Color = FmtColorTable[n]; });
                break;
            case '&':
                if (ReadNumber(n)) {
                    int points = int(std::clamp(n, 1L, long(kMaxPoints)));
                    ChangeAttributes([&](FmtAttributes& a) { a.font.Height = PointsToPixels(points); });
                }
                break;
            case '$':
                if (ReadNumber(n) && n <= 3) {
                    static constexpr TFontStyles kStyles[4] = {0, fsItalic, fsBold, fsBold | fsItalic};
                    ChangeAttributes([&](FmtAttributes& a) { a.font.Style = kStyles[n]; });
                }
                break;
            case '%':
                ChangeAttributes([](FmtAttributes& a) { a.shadow = !a.shadow; });
                break;
            case '~':
                ChangeAttributes([](FmtAttributes& a) { a.blink = !a.blink; });
                break;
            case '\\':
                if (pos_ < text_.size() && IsEscapable(text_[pos_]))
                    Current().text += text_[pos_++];
                else
                    Current().text += '\\';
                break;
            default:
                Current().text += c;
                break;
        }
    }

    const std::string& text_;
    size_t pos_ = 0;
    std::vector<FmtLine> lines_;
};

}  // namespace

std::vector<FmtLine> ParseFmtCaption(const std::string& caption, const FontSpec& baseFont) {
    return Parser(caption, baseFont).Run();
}

std::string EscapeFmtText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    // A backslash before an escaped code character stays text by itself: "\\@" is
    // read as a backslash (not followed by a code character) and then "\@".
    for (char c : text) {
        if (IsEscapable(c)) out += '\\';
        out += c;
    }
    return out;
}

}  // namespace ui

// Basic values of the kit: colours in the platform's blue-green-red order, system
// colours, rectangles, keys and shift states, alignments.
#pragma once

#include <cstdint>

namespace ui {

// $00BBGGRR, or a system colour $800000nn (nn = the platform's system-colour index).
using TColor = uint32_t;

constexpr TColor RgbColor(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) { return int(c & 0xFF); }
constexpr int GreenOf(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return int((c >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0x80000000u; }
constexpr int SystemColorIndex(TColor c) { return int(c & 0xFF); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                 clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                 clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                 clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;

// System colours, by the platform's index.
constexpr TColor clScrollBar = 0x80000000, clBackground = 0x80000001,
                 clActiveCaption = 0x80000002, clInactiveCaption = 0x80000003,
                 clMenu = 0x80000004, clWindow = 0x80000005, clWindowFrame = 0x80000006,
                 clMenuText = 0x80000007, clWindowText = 0x80000008,
                 clCaptionText = 0x80000009, clActiveBorder = 0x8000000A,
                 clInactiveBorder = 0x8000000B, clAppWorkSpace = 0x8000000C,
                 clHighlight = 0x8000000D, clHighlightText = 0x8000000E,
                 clBtnFace = 0x8000000F, clBtnShadow = 0x80000010, clGrayText = 0x80000011,
                 clBtnText = 0x80000012, clInactiveCaptionText = 0x80000013,
                 clBtnHighlight = 0x80000014;

struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0, cy = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TRect&) const = default;
};
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Shift state of a key or mouse event.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual key codes (the platform's values); letters and digits are their ASCII capitals.
namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11,
              Menu = 0x12, Escape = 0x1B, Space = 0x20, Left = 0x25, Up = 0x26,
              Right = 0x27, Down = 0x28, F4 = 0x73;
}  // namespace vk

}  // namespace ui

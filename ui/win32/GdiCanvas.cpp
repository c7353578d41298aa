#include "ui/win32/GdiCanvas.h"

#include <map>
#include <tuple>
#include <vector>

namespace ui::win32 {

HFONT FontFor(const FontSpec& font) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, FontHandle> cache;
    Key key{font.Name, font.Height, font.Style};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    FontHandle& handle = cache[key];
    handle.reset(CreateFontW(-font.Height, 0, 0, 0, (font.Style & fsBold) ? FW_BOLD : FW_NORMAL,
                               (font.Style & fsItalic) != 0, (font.Style & fsUnderline) != 0,
                               (font.Style & fsStrikeOut) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               Widen(font.Name).c_str()));
    return handle.get();
}

static COLORREF Ref(TColor color) { return COLORREF(color & 0xFFFFFF); }

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), savedState_(SaveDC(dc)), font_(dc, FontFor(FontSpec{})) {
    SetBkMode(dc_, TRANSPARENT);
}

// The font selected first is put back by `font_` after the saved state returns.
GdiCanvas::~GdiCanvas() { RestoreDC(dc_, savedState_); }

TColor GdiCanvas::Resolve(TColor color) {
    if (IsSystemColor(color)) return TColor(GetSysColor(SystemColorIndex(color)));
    return color;
}

void GdiCanvas::FillRect(const TRect& rect, TColor color) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    SetDCBrushColor(dc_, Ref(Resolve(color)));
    ::FillRect(dc_, &r, HBRUSH(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::FrameRect(const TRect& rect, TColor color) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    SetDCBrushColor(dc_, Ref(Resolve(color)));
    ::FrameRect(dc_, &r, HBRUSH(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
    Selection pen(dc_, GetStockObject(DC_PEN));
    SetDCPenColor(dc_, Ref(Resolve(color)));
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void GdiCanvas::TextAt(int x, int y, const std::string& text, TColor color) {
    std::wstring wide = Widen(text);
    SetTextColor(dc_, Ref(Resolve(color)));
    SetBkMode(dc_, TRANSPARENT);
    TextOutW(dc_, x, y, wide.c_str(), int(wide.size()));
}

void GdiCanvas::TextClipped(const TRect& clip, int x, int y, const std::string& text, TColor color) {
    std::wstring wide = Widen(text);
    RECT r{clip.Left, clip.Top, clip.Right, clip.Bottom};
    SetTextColor(dc_, Ref(Resolve(color)));
    SetBkMode(dc_, TRANSPARENT);
    ExtTextOutW(dc_, x, y, ETO_CLIPPED, &r, wide.c_str(), UINT(wide.size()), nullptr);
}

TSize GdiCanvas::TextExtent(const std::string& text) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    if (text.empty()) return {0, int(metrics.tmHeight)};
    std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), int(wide.size()), &size);
    return {int(size.cx), int(size.cy)};
}

void GdiCanvas::SetFont(const FontSpec& font) { SelectObject(dc_, FontFor(font)); }

void GdiCanvas::DrawBitmap(const TBitmap& bitmap, int x, int y, bool transparent) {
    if (bitmap.Empty()) return;
    // Top-down 32-bit rows; GDI wants 0x00RRGGBB where the kit keeps 0x00BBGGRR.
    std::vector<uint32_t> bits(bitmap.Pixels.size());
    for (size_t i = 0; i < bits.size(); ++i) {
        TColor c = Resolve(bitmap.Pixels[i]);
        bits[i] = uint32_t(RedOf(c)) << 16 | uint32_t(GreenOf(c)) << 8 | uint32_t(BlueOf(c));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap.Width;
    info.bmiHeader.biHeight = -bitmap.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (!transparent) {
        SetDIBitsToDevice(dc_, x, y, DWORD(bitmap.Width), DWORD(bitmap.Height), 0, 0, 0, UINT(bitmap.Height),
                          bits.data(), &info, DIB_RGB_COLORS);
        return;
    }
    void* sectionBits = nullptr;
    BitmapHandle section(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0));
    MemoryDc memory(CreateCompatibleDC(dc_));
    if (!section || !memory) return;
    memcpy(sectionBits, bits.data(), bits.size() * sizeof(uint32_t));
    Selection selected(memory.get(), section.get());
    GdiTransparentBlt(dc_, x, y, bitmap.Width, bitmap.Height, memory.get(), 0, 0, bitmap.Width, bitmap.Height,
                      Ref(Resolve(bitmap.TransparentColor())));
}

int GdiCanvas::BitsPerPixel() { return GetDeviceCaps(dc_, BITSPIXEL) * GetDeviceCaps(dc_, PLANES); }

MeasuringGdiCanvas::MeasuringGdiCanvas() : GdiCanvas(ScreenCompatibleDc::dc.get()) {}

}  // namespace ui::win32

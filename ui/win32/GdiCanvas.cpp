#include "ui/win32/GdiCanvas.h"

#include <vector>

namespace ui::win32 {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

HFONT FontFor(const FontSpec& font) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, HFONT> cache;
    Key key{font.Name, font.Height, font.Style};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    HFONT handle = CreateFontW(-font.Height, 0, 0, 0, (font.Style & fsBold) ? FW_BOLD : FW_NORMAL,
                               (font.Style & fsItalic) != 0, (font.Style & fsUnderline) != 0,
                               (font.Style & fsStrikeOut) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               Widen(font.Name).c_str());
    cache[key] = handle;
    return handle;
}

static COLORREF Ref(TColor color) { return COLORREF(color & 0xFFFFFF); }

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc) {
    savedState_ = SaveDC(dc_);
    originalFont_ = SelectObject(dc_, FontFor(FontSpec{}));
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
    SelectObject(dc_, originalFont_);
    RestoreDC(dc_, savedState_);
}

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
    HGDIOBJ old = SelectObject(dc_, GetStockObject(DC_PEN));
    SetDCPenColor(dc_, Ref(Resolve(color)));
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    SelectObject(dc_, old);
}

void GdiCanvas::TextAt(int x, int y, const std::string& text, TColor color) {
    std::wstring wide = Widen(text);
    SetTextColor(dc_, Ref(Resolve(color)));
    SetBkMode(dc_, TRANSPARENT);
    TextOutW(dc_, x, y, wide.c_str(), int(wide.size()));
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
    HBITMAP section = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    if (!section) return;
    memcpy(sectionBits, bits.data(), bits.size() * sizeof(uint32_t));
    HDC memory = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(memory, section);
    GdiTransparentBlt(dc_, x, y, bitmap.Width, bitmap.Height, memory, 0, 0, bitmap.Width, bitmap.Height,
                      Ref(Resolve(bitmap.TransparentColor())));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
}

int GdiCanvas::BitsPerPixel() { return GetDeviceCaps(dc_, BITSPIXEL) * GetDeviceCaps(dc_, PLANES); }

OwnedScreenDc::OwnedScreenDc() : dc(CreateCompatibleDC(nullptr)) {}
OwnedScreenDc::~OwnedScreenDc() { DeleteDC(dc); }

MeasuringGdiCanvas::MeasuringGdiCanvas() : GdiCanvas(OwnedScreenDc::dc) {}

}  // namespace ui::win32

// Owners of the graphics handles that the real backend uses: memory contexts, window and
// screen contexts, bitmaps, fonts and brushes, and the selection of an object into a
// context, each put back or released when its owner goes.
#pragma once

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace ui::win32 {

struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ReleaseWindowDc {
    HWND window = nullptr;  // none: the screen's
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

using MemoryDc = plat::UniqueHandle<HDC, DeleteMemoryDc>;
using WindowDc = plat::UniqueHandle<HDC, ReleaseWindowDc>;
using BitmapHandle = plat::UniqueHandle<HBITMAP, DeleteGdiObject>;
using FontHandle = plat::UniqueHandle<HFONT, DeleteGdiObject>;
using BrushHandle = plat::UniqueHandle<HBRUSH, DeleteGdiObject>;

// The whole window's context (frame included), or the screen's for no window.
inline WindowDc WholeWindowDc(HWND window) { return WindowDc(GetWindowDC(window), ReleaseWindowDc{window}); }
inline WindowDc ScreenDc() { return WindowDc(GetDC(nullptr), ReleaseWindowDc{nullptr}); }

// Selects an object into a context and selects the previous one back when it goes.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Painting of a window between BeginPaint and EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace ui::win32

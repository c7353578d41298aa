#include "ui/win32/KitPeer.h"

#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/ScaledCanvas.h"
#include "ui/win32/GdiHandles.h"
#include "ui/win32/WinSupport.h"

namespace ui::win32 {
namespace {

HWND capturedBy = nullptr;

LRESULT CALLBACK KitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only kit peers own windows of the kit's classes.
    auto* peer = static_cast<KitPeer*>(Peer::Of(window));
    LRESULT result = 0;
    if (peer && peer->HandleMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Paints `painted` into the buffer of the control whose origin in the form is `buffer`
// (units), where the form's scaled grid puts it.
void PaintInBuffer(TControl& painted, GdiCanvas& pixels, const DpiScale& scale, TPoint buffer) {
    const TPoint origin = OriginInForm(painted);
    SetViewportOrgEx(pixels.Dc(), scale.Pixels(origin.X) - scale.Pixels(buffer.X),
                     scale.Pixels(origin.Y) - scale.Pixels(buffer.Y), nullptr);
    ScaledCanvas canvas(pixels, scale, origin);
    painted.Paint(canvas);
}

// What lies under a transparent control: its containers' own painting and the painted
// (windowless in spirit) siblings created before it, as a form designer draws them.
void PaintUnder(TControl& control, GdiCanvas& pixels, const DpiScale& scale, TPoint buffer) {
    TWinControl* parent = control.Parent();
    if (!parent) return;
    if (parent->Transparent) PaintUnder(*parent, pixels, scale, buffer);
    PaintInBuffer(*parent, pixels, scale, buffer);
    const TRect mine = control.BoundsRect();
    for (const auto& sibling : parent->Controls()) {
        if (sibling.get() == &control) break;
        const TRect theirs = sibling->BoundsRect();
        const bool overlaps = theirs.Left < mine.Right && mine.Left < theirs.Right && theirs.Top < mine.Bottom &&
                              mine.Top < theirs.Bottom;
        if (!overlaps || !sibling->Visible || sibling->Peer() != PeerKind::Painted) continue;
        PaintInBuffer(*sibling, pixels, scale, buffer);
    }
    SetViewportOrgEx(pixels.Dc(), 0, 0, nullptr);
}

}  // namespace

void RegisterKitClasses(HINSTANCE instance) {
    for (const wchar_t* name : {kFormClass, kControlClass}) {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = KitWindowProc;
        cls.hInstance = instance;
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.lpszClassName = name;
        if (name == kFormClass) cls.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        RegisterClassExW(&cls);
    }
}

void PaintBuffered(TControl& control, HDC target, int width, int height) {
    if (width <= 0 || height <= 0) return;
    MemoryDc memory(CreateCompatibleDC(target));
    BitmapHandle bitmap(CreateCompatibleBitmap(target, width, height));
    if (!memory || !bitmap) return;
    Selection selected(memory.get(), bitmap.get());
    {
        GdiCanvas pixels(memory.get());
        const DpiScale scale = ScreenScale();
        const TPoint origin = OriginInForm(control);
        if (control.Transparent)
            PaintUnder(control, pixels, scale, origin);
        else
            pixels.FillRect({0, 0, width, height}, control.EffectiveColor());
        ScaledCanvas canvas(pixels, scale, origin);
        Guarded([&] { control.Paint(canvas); });
    }
    BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

void ForgetCapture(HWND window) {
    if (capturedBy == window) capturedBy = nullptr;
}

bool KitPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND: result = 1; return true;
        case WM_PAINT: Paint(); return true;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Peer* child = Peer::Of(item->hwndItem);
            if (!child) return false;
            child->DrawItem(*item);
            result = TRUE;
            return true;
        }
        case WM_COMMAND:
            if (Peer* child = Peer::Of(reinterpret_cast<HWND>(lParam))) child->Command(HIWORD(wParam));
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            Peer* child = Peer::Of(reinterpret_cast<HWND>(lParam));
            if (!child) return false;
            const TControl& control = child->Control();
            HDC dc = reinterpret_cast<HDC>(wParam);
            COLORREF back = Ref(control.EffectiveColor());
            SetTextColor(dc, Ref(control.EnabledChain() ? control.EffectiveFont().Color : clGrayText));
            SetBkColor(dc, back);
            result = reinterpret_cast<LRESULT>(BrushFor(back));
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: MouseDown(message, lParam); return true;
        case WM_LBUTTONUP: return MouseUp(lParam);
        case WM_SETCURSOR:
            if (ScreenCursor() == crDefault) return false;
            SetCursor(LoadCursorW(nullptr, ScreenCursor() == crHourGlass ? IDC_WAIT : IDC_ARROW));
            result = TRUE;
            return true;
        default: return false;
    }
}

void KitPeer::Paint() {
    PaintScope paint(Window());
    RECT client;
    GetClientRect(Window(), &client);
    PaintBuffered(Control(), paint.Dc(), client.right, client.bottom);
}

void KitPeer::MouseDown(UINT message, LPARAM lParam) {
    // The press in the control's own units, by the form's grid that placed the window.
    const DpiScale scale = ScreenScale();
    const TPoint origin = OriginInForm(Control());
    const int x = scale.Units(scale.Pixels(origin.X) + short(LOWORD(lParam))) - origin.X;
    const int y = scale.Units(scale.Pixels(origin.Y) + short(HIWORD(lParam))) - origin.Y;
    const TMouseButton button = message == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight;
    if (button == TMouseButton::mbLeft) {
        SetCapture(Window());
        capturedBy = Window();
    }
    Guarded([&] { Control().MouseDown(button, ShiftNow(), x, y); });
}

bool KitPeer::MouseUp(LPARAM lParam) {
    if (capturedBy != Window()) return false;
    capturedBy = nullptr;
    ReleaseCapture();
    POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
    RECT client;
    GetClientRect(Window(), &client);
    if (PtInRect(&client, at) && ClickOnRelease()) Guarded([&] { Control().Click(); });
    return true;
}

}  // namespace ui::win32

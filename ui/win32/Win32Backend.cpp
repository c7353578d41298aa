#include "ui/win32/Win32Backend.h"

#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Pilot.h"
#include "ui/ScaledCanvas.h"
#include "ui/win32/FormPeer.h"
#include "ui/win32/GdiHandles.h"
#include "ui/win32/KitPeer.h"
#include "ui/win32/PeerRegistry.h"
#include "ui/win32/WinSupport.h"

namespace ui {

void UseWin32Backend(void* hInstance) {
    SetBackend(std::make_unique<win32::Win32Backend>(static_cast<HINSTANCE>(hInstance)));
}

std::unique_ptr<Backend> MakeDefaultBackend() {
    return std::make_unique<win32::Win32Backend>(GetModuleHandleW(nullptr));
}

namespace win32 {
namespace {

Win32Backend* backend = nullptr;

TControl* ControlOf(HWND window) {
    Peer* peer = Peer::Of(window);
    return peer ? &peer->Control() : nullptr;
}

BOOL CALLBACK CollectEnabledWindow(HWND other, LPARAM data) {
    auto* list = reinterpret_cast<std::vector<HWND>*>(data);
    if (IsWindowVisible(other) && IsWindowEnabled(other)) list->push_back(other);
    return TRUE;
}

VOID CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (backend) backend->TimerFired(id);
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
    backend = this;
    RegisterKitClasses(instance_);
}

Win32Backend::~Win32Backend() {
    for (auto& [id, tick] : timers_) KillTimer(nullptr, id);
    if (backend == this) backend = nullptr;
}

void Win32Backend::CreatePeer(TControl& control) {
    if (control.Handle) return;
    HWND parent = nullptr;
    if (control.Peer() != PeerKind::Form) {
        TWinControl* container = control.Parent();
        if (!container || !container->Handle) return;
        parent = static_cast<HWND>(container->Handle);
    }
    std::unique_ptr<Peer> peer = MakePeer(control, parent, instance_);
    if (!peer) return;
    Peer& made = *peer;
    peers_[made.Window()] = std::move(peer);
    made.Sync();
    if (auto* container = dynamic_cast<TWinControl*>(&control))
        for (const auto& child : container->Controls()) CreatePeer(*child);
}

void Win32Backend::DropPeers(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) DropPeers(child);
    ForgetCapture(window);
    peers_.erase(window);
}

void Win32Backend::ControlAdded(TControl& control) { CreatePeer(control); }

void Win32Backend::ControlChanged(TControl& control) {
    if (Peer* peer = Peer::Of(static_cast<HWND>(control.Handle))) peer->Sync();
}

void Win32Backend::ControlDestroyed(TControl& control) {
    HWND window = static_cast<HWND>(control.Handle);
    control.Handle = nullptr;
    if (!window) return;
    if (IsWindow(window)) DropPeers(window);
    peers_.erase(window);
}

void Win32Backend::Invalidate(TControl& control) {
    if (control.Handle) InvalidateRect(static_cast<HWND>(control.Handle), nullptr, FALSE);
}

void Win32Backend::Repaint(TControl& control) {
    if (!control.Handle) return;
    HWND window = static_cast<HWND>(control.Handle);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Backend::BringToFront(TControl& control) {
    HWND window = static_cast<HWND>(control.Handle);
    if (!window) return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (dynamic_cast<TForm*>(&control)) SetForegroundWindow(window);
}

void Win32Backend::Focus(TWinControl& control) {
    if (control.Handle) ::SetFocus(static_cast<HWND>(control.Handle));
}

TWinControl* Win32Backend::Focused(TForm& form) {
    for (HWND window = GetFocus(); window; window = GetParent(window)) {
        auto* control = dynamic_cast<TWinControl*>(ControlOf(window));
        if (control && control != &form && control->OwnerForm() == &form) return control;
        if (control == &form) break;
    }
    return nullptr;
}

int Win32Backend::RunModal(TForm& form) {
    CreatePeer(form);
    HWND window = static_cast<HWND>(form.Handle);
    // The other windows of the program wait while the form is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    std::erase(disabled, window);
    for (HWND other : disabled) EnableWindow(other, FALSE);

    if (form.Visible)
        ShowForm(form);
    else
        form.Visible = true;
    // A pilot acts as a person would once the form is on the screen: when its loop first
    // finds nothing waiting, the form has been painted and what its showing started has run.
    Pilot* pilot = CurrentPilot();
    if (pilot && !pilot->DrivesForms()) pilot = nullptr;
    while (form.ModalResult == mrNone && !quit_) {
        MSG msg{};
        if (pilot && !PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Guarded([&] { std::exchange(pilot, nullptr)->FormShown(form); });
            continue;
        }
        if (!pilot && GetMessageW(&msg, nullptr, 0, 0) <= 0) msg.message = WM_QUIT;
        if (msg.message == WM_QUIT) {
            quit_ = true;
            quitCode_ = int(msg.wParam);
            break;
        }
        Pump(msg);
    }
    for (HWND other : disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
    form.Visible = false;
    if (quit_) {
        PostQuitMessage(quitCode_);
        if (form.ModalResult == mrNone) form.ModalResult.SetQuietly(mrCancel);
    }
    (void)window;
    return form.ModalResult;
}

void Win32Backend::ShowForm(TForm& form) {
    CreatePeer(form);
    HWND window = static_cast<HWND>(form.Handle);
    if (!window) return;
    const bool wasShown = IsWindowVisible(window) != 0;
    form.Visible.SetQuietly(true);
    ShowWindow(window, form.WindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(window);
    static_cast<FormPeer*>(Peer::Of(window))->ReportPlace();
    if (!wasShown) Guarded([&] { form.DoShow(); });
    UpdateWindow(window);
}

void Win32Backend::HideForm(TForm& form) {
    form.Visible.SetQuietly(false);
    if (form.Handle) ShowWindow(static_cast<HWND>(form.Handle), SW_HIDE);
}

TSize Win32Backend::FrameExtent(const TForm& form) {
    const TSize pixels = FramePixels(form);
    const DpiScale scale = ScreenScale();
    return {scale.Units(pixels.cx), scale.Units(pixels.cy)};
}

void Win32Backend::Pump(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        auto* form = dynamic_cast<TForm*>(ControlOf(root));
        if (form && IsWindowEnabled(root)) {
            TShiftState shift = ShiftNow();
            if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) shift |= ssAlt;
            bool used = false;
            Guarded([&] { used = form->DispatchKey(int(msg.wParam), shift); });
            if (used) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Backend::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_ = true;
            quitCode_ = int(msg.wParam);
            PostQuitMessage(quitCode_);
            break;
        }
        Pump(msg);
    }
}

bool Win32Backend::IsKeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
int Win32Backend::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Backend::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

int Win32Backend::ScreenBitsPerPixel() {
    WindowDc screen = ScreenDc();
    return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}

// The system's DPI, asked once: a program that says it is DPI-aware (its manifest) gets
// the real one, and it stays for the process's life.
int Win32Backend::PixelsPerInch() {
    if (!pixelsPerInch_) {
        WindowDc screen = ScreenDc();
        const int ppi = GetDeviceCaps(screen.get(), LOGPIXELSX);
        pixelsPerInch_ = ppi > 0 ? ppi : 96;
    }
    return pixelsPerInch_;
}

TColor Win32Backend::SystemColor(int index) { return TColor(GetSysColor(index)); }

std::unique_ptr<Canvas> Win32Backend::MeasuringCanvas() {
    return std::make_unique<ScaledCanvas>(std::make_unique<MeasuringGdiCanvas>(), ScreenScale());
}

int Win32Backend::StartTimer(int milliseconds, std::function<void()> tick) {
    UINT_PTR id = SetTimer(nullptr, 0, UINT(milliseconds < 1 ? 1 : milliseconds), TimerProc);
    if (!id) return 0;
    timers_[id] = std::move(tick);
    return int(id);
}

void Win32Backend::StopTimer(int id) {
    KillTimer(nullptr, UINT_PTR(id));
    timers_.erase(UINT_PTR(id));
}

void Win32Backend::TimerFired(UINT_PTR id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    std::function<void()> tick = it->second;  // the tick may stop its own timer
    Guarded(tick);
}

void Win32Backend::SetCursorShape(int cursor) {
    cursor_ = cursor;
    SetCursor(LoadCursorW(nullptr, cursor == crHourGlass ? IDC_WAIT : IDC_ARROW));
}

std::optional<std::vector<uint8_t>> Win32Backend::LoadRawResource(const std::string& name) {
    HRSRC resource = FindResourceW(instance_, Widen(name).c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!resource) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance_, resource);
    DWORD size = SizeofResource(instance_, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

void* Win32Backend::AddPrivateFont(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    DWORD installed = 0;
    HANDLE handle = AddFontMemResourceEx(const_cast<uint8_t*>(bytes.data()), DWORD(bytes.size()), nullptr, &installed);
    return installed ? handle : nullptr;
}

void Win32Backend::RemovePrivateFont(void* handle) {
    if (handle) RemoveFontMemResourceEx(handle);
}

}  // namespace win32
}  // namespace ui

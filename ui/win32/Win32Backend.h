// The real backend: every control is a window, made and kept by the control's peer
// (Peer.h; one peer class per kind of control, PeerRegistry.h). Forms are top-level
// windows of the kit's class, push buttons are owner-drawn platform buttons whose window
// text is their caption, edit boxes, memos, check boxes, radio buttons, combo and list
// boxes are the platform's own, and everything the kit paints (labels, title bars,
// panels, gauges, images) is a child window of the kit's class painted through the GDI
// canvas. Window texts are the captions, so another program can find a window by title
// and a button by caption. The backend itself keeps the peers, the modal loops and the
// timers.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "ui/Backend.h"
#include "ui/win32/Peer.h"

namespace ui::win32 {

class Win32Backend : public Backend {
public:
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;

    void ControlAdded(TControl& control) override;
    void ControlChanged(TControl& control) override;
    void ControlDestroyed(TControl& control) override;
    void Invalidate(TControl& control) override;
    void Repaint(TControl& control) override;
    void BringToFront(TControl& control) override;
    void Focus(TWinControl& control) override;
    TWinControl* Focused(TForm& form) override;

    int RunModal(TForm& form) override;
    void ShowForm(TForm& form) override;
    void HideForm(TForm& form) override;
    TSize FrameExtent(const TForm& form) override;

    void ProcessMessages() override;
    bool IsKeyDown(int virtualKey) override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    int ScreenBitsPerPixel() override;
    int PixelsPerInch() override;
    TColor SystemColor(int index) override;
    std::unique_ptr<Canvas> MeasuringCanvas() override;
    int StartTimer(int milliseconds, std::function<void()> tick) override;
    void StopTimer(int id) override;
    void SetCursorShape(int cursor) override;

    std::optional<std::vector<uint8_t>> LoadRawResource(const std::string& name) override;
    void* AddPrivateFont(const std::vector<uint8_t>& bytes) override;
    void RemovePrivateFont(void* handle) override;

    // Runs one message: the form's own key handling first, then the window's.
    void Pump(MSG& msg);
    // A timer of the platform fired.
    void TimerFired(UINT_PTR id);

private:
    void CreatePeer(TControl& control);
    // Drops the peers of a window and of its descendants, the descendants first.
    void DropPeers(HWND window);
    HINSTANCE instance_;
    std::map<HWND, std::unique_ptr<Peer>> peers_;
    std::map<UINT_PTR, std::function<void()>> timers_;
    int pixelsPerInch_ = 0;  // 0: not asked yet
    int cursor_ = 0;
    bool quit_ = false;
    int quitCode_ = 0;
};

}  // namespace ui::win32

// What the kit needs from the platform's window system. Two implementations: real
// windows (ui/win32) and the headless one for tests (ui/headless). Controls call the
// current backend; application code uses ui/Application.h instead.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace ui {

class TControl;
class TWinControl;
class TForm;

class Backend {
public:
    virtual ~Backend() = default;

    // Platform objects of controls.
    virtual void ControlAdded(TControl& control) = 0;
    virtual void ControlChanged(TControl& control) = 0;  // bounds, text, state: sync, repaint
    virtual void ControlDestroyed(TControl& control) = 0;
    virtual void Invalidate(TControl& control) = 0;
    virtual void Repaint(TControl& control) = 0;
    virtual void BringToFront(TControl& control) = 0;
    virtual void Focus(TWinControl& control) = 0;
    // The control of `form` that has the platform's focus, if any.
    virtual TWinControl* Focused(TForm& form) = 0;

    // Forms.
    virtual int RunModal(TForm& form) = 0;
    virtual void ShowForm(TForm& form) = 0;
    virtual void HideForm(TForm& form) = 0;
    // Width and height, in units, that the frame and caption add to a form's client area.
    virtual TSize FrameExtent(const TForm& form) = 0;

    // The application.
    virtual void ProcessMessages() = 0;
    virtual bool IsKeyDown(int virtualKey) = 0;
    // The screen in pixels, and its pixels per inch (the system's, asked once).
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    virtual int ScreenBitsPerPixel() = 0;
    virtual int PixelsPerInch() = 0;
    virtual TColor SystemColor(int index) = 0;
    // A canvas for measuring text outside painting, in units.
    virtual std::unique_ptr<Canvas> MeasuringCanvas() = 0;
    // Timers run on the user-interface thread; the id is never 0.
    virtual int StartTimer(int milliseconds, std::function<void()> tick) = 0;
    virtual void StopTimer(int id) = 0;
    virtual void SetCursorShape(int cursor) = 0;

    // The program's raw-data resources and fonts registered for this process only.
    virtual std::optional<std::vector<uint8_t>> LoadRawResource(const std::string& name) = 0;
    virtual void* AddPrivateFont(const std::vector<uint8_t>& bytes) = 0;  // null on failure
    virtual void RemovePrivateFont(void* handle) = 0;
};

// The backend in use; the build's default one is made on first use when none was chosen.
Backend& CurrentBackend();
void SetBackend(std::unique_ptr<Backend> backend);

// The build's default: the real windows of this program on Windows, headless elsewhere.
std::unique_ptr<Backend> MakeDefaultBackend();

}  // namespace ui

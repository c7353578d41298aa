// The backend without windows, for tests and native tools. Modal forms go to the
// scripted user (ScriptedUser.h); timers run on a virtual clock that a test advances;
// the screen is 1024 x 768 pixels at 32 bits and 96 pixels per inch unless a test says
// otherwise (at other pixels per inch the kit's units are not pixels: Dpi.h).
#pragma once

#include <map>
#include <set>

#include "ui/Backend.h"

namespace ui::headless {

class HeadlessBackend : public Backend {
public:
    void ControlAdded(TControl&) override {}
    void ControlChanged(TControl&) override {}
    void ControlDestroyed(TControl&) override {}
    void Invalidate(TControl&) override {}
    void Repaint(TControl&) override {}
    void BringToFront(TControl& control) override;
    void Focus(TWinControl&) override {}
    TWinControl* Focused(TForm&) override { return nullptr; }

    int RunModal(TForm& form) override;
    void ShowForm(TForm& form) override;
    void HideForm(TForm& form) override;
    TSize FrameExtent(const TForm& form) override;

    // Runs what the scripted user does while the program works (Script::WhileWorking).
    void ProcessMessages() override;
    bool IsKeyDown(int virtualKey) override { return keysDown_.count(virtualKey) != 0; }
    int ScreenWidth() override { return screenWidth_; }
    int ScreenHeight() override { return screenHeight_; }
    int ScreenBitsPerPixel() override { return bitsPerPixel_; }
    int PixelsPerInch() override { return pixelsPerInch_; }
    TColor SystemColor(int index) override;
    std::unique_ptr<Canvas> MeasuringCanvas() override;
    int StartTimer(int milliseconds, std::function<void()> tick) override;
    void StopTimer(int id) override;
    void SetCursorShape(int) override {}

    std::optional<std::vector<uint8_t>> LoadRawResource(const std::string& name) override;
    void* AddPrivateFont(const std::vector<uint8_t>& bytes) override;
    void RemovePrivateFont(void* handle) override;

    // What a test controls.
    void SetScreen(int width, int height, int bitsPerPixel = 32, int pixelsPerInch = 96);
    void SetKeyDown(int virtualKey, bool down);
    void SetResource(const std::string& name, std::vector<uint8_t> bytes);
    // Runs every timer due within the next `milliseconds` of virtual time, in order.
    void AdvanceTime(int milliseconds);
    size_t ActiveTimers() const { return timers_.size(); }
    // Fonts registered and not yet removed, and how many registrations were made.
    int PrivateFonts() const { return int(fonts_.size()); }
    int FontRegistrations() const { return fontRegistrations_; }
    // The form last brought to the front, and whether a form is shown.
    TControl* Front() const { return front_; }
    bool IsShown(const TForm& form) const { return shown_.count(&form) != 0; }

private:
    struct Timer {
        int interval;
        long long due;
        std::function<void()> tick;
    };
    int screenWidth_ = 1024, screenHeight_ = 768, bitsPerPixel_ = 32, pixelsPerInch_ = 96;
    std::set<int> keysDown_;
    std::map<int, Timer> timers_;
    int nextTimer_ = 1;
    long long now_ = 0;
    std::map<std::string, std::vector<uint8_t>> resources_;
    std::set<void*> fonts_;
    int fontRegistrations_ = 0;
    std::set<const TForm*> shown_;
    TControl* front_ = nullptr;
};

// The current backend as the headless one (fails loudly when another is in use).
HeadlessBackend& Current();

}  // namespace ui::headless

#include "ui/headless/HeadlessBackend.h"

#include <stdexcept>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Pilot.h"
#include "ui/headless/RecordingCanvas.h"
#include "ui/headless/ScriptedUser.h"

namespace ui::headless {

HeadlessBackend& Current() {
    auto* backend = dynamic_cast<HeadlessBackend*>(&CurrentBackend());
    if (!backend) throw std::logic_error("the headless backend is not in use");
    return *backend;
}

void HeadlessBackend::BringToFront(TControl& control) { front_ = &control; }

TSize HeadlessBackend::FrameExtent(const TForm& form) {
    // A classic dialog frame: 3 pixels on each side and a 21-pixel caption, so a page of
    // client size 637 x 114 is 643 x 141 outside.
    if (form.BorderStyle == bsNone) return {0, 0};
    return {6, 27};
}

void HeadlessBackend::ShowForm(TForm& form) {
    front_ = &form;
    if (shown_.count(&form)) return;
    shown_.insert(&form);
    form.Visible.SetQuietly(true);
    if (form.WindowState == wsMaximized)
        form.PlatformBoundsChanged(0, 0, ui::ScreenWidth(), ui::ScreenHeight());
    form.DoShow();
}

void HeadlessBackend::HideForm(TForm& form) {
    shown_.erase(&form);
    form.Visible.SetQuietly(false);
    if (front_ == &form) front_ = nullptr;
}

int HeadlessBackend::RunModal(TForm& form) {
    // A driving pilot stands in for the scripted user: it must end the form itself.
    Pilot* pilot = CurrentPilot();
    if (pilot && !pilot->DrivesForms()) pilot = nullptr;
    if (!pilot) ScriptedUser::Expect(form);
    form.Visible = true;
    ShowForm(form);
    try {
        if (pilot) {
            pilot->FormShown(form);
            if (form.ModalResult == mrNone) throw ScriptError("the pilot left " + form.ClassName() + " open");
        }
        while (form.ModalResult == mrNone) ScriptedUser::Act(form);
    } catch (...) {
        form.Visible = false;
        throw;
    }
    form.Visible = false;
    if (!pilot) ScriptedUser::Ended(form, form.ModalResult);
    return form.ModalResult;
}

void HeadlessBackend::ProcessMessages() { ScriptedUser::MessagesRun(); }

TColor HeadlessBackend::SystemColor(int index) { return SystemColorValue(index); }

std::unique_ptr<Canvas> HeadlessBackend::MeasuringCanvas() {
    return std::make_unique<RecordingCanvas>(bitsPerPixel_);
}

int HeadlessBackend::StartTimer(int milliseconds, std::function<void()> tick) {
    int id = nextTimer_++;
    int interval = milliseconds < 1 ? 1 : milliseconds;
    timers_[id] = Timer{interval, now_ + interval, std::move(tick)};
    return id;
}

void HeadlessBackend::StopTimer(int id) { timers_.erase(id); }

void HeadlessBackend::AdvanceTime(int milliseconds) {
    const long long until = now_ + milliseconds;
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.due <= until && (next == timers_.end() || it->second.due < next->second.due))
                next = it;
        if (next == timers_.end()) break;
        now_ = next->second.due;
        next->second.due += next->second.interval;
        auto tick = next->second.tick;  // the tick may stop its own timer
        tick();
    }
    now_ = until;
}

void HeadlessBackend::SetScreen(int width, int height, int bitsPerPixel, int pixelsPerInch) {
    screenWidth_ = width;
    screenHeight_ = height;
    bitsPerPixel_ = bitsPerPixel;
    pixelsPerInch_ = pixelsPerInch;
}

void HeadlessBackend::SetKeyDown(int virtualKey, bool down) {
    if (down)
        keysDown_.insert(virtualKey);
    else
        keysDown_.erase(virtualKey);
}

void HeadlessBackend::SetResource(const std::string& name, std::vector<uint8_t> bytes) {
    resources_[name] = std::move(bytes);
}

std::optional<std::vector<uint8_t>> HeadlessBackend::LoadRawResource(const std::string& name) {
    auto it = resources_.find(name);
    if (it == resources_.end()) return std::nullopt;
    return it->second;
}

void* HeadlessBackend::AddPrivateFont(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    ++fontRegistrations_;
    // Any unique, non-null token serves as the handle.
    void* handle = reinterpret_cast<void*>(uintptr_t(fontRegistrations_));
    fonts_.insert(handle);
    return handle;
}

void HeadlessBackend::RemovePrivateFont(void* handle) { fonts_.erase(handle); }

}  // namespace ui::headless

namespace ui {

void UseHeadlessBackend() { SetBackend(std::make_unique<headless::HeadlessBackend>()); }

std::unique_ptr<Backend> MakeDefaultBackend() { return std::make_unique<headless::HeadlessBackend>(); }

}  // namespace ui

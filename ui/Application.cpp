#include "ui/Application.h"

#include "ui/Backend.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/ProgressPace.h"

namespace ui {

namespace {
std::unique_ptr<Backend>& BackendSlot() {
    static std::unique_ptr<Backend> backend;
    return backend;
}
TForm* mainForm = nullptr;
TCursor screenCursor = crDefault;
ProgressPace& Pumping() {
    static ProgressPace pace(kKeepAliveMs);
    return pace;
}
}  // namespace

Backend& CurrentBackend() {
    auto& slot = BackendSlot();
    if (!slot) slot = MakeDefaultBackend();
    return *slot;
}

void SetBackend(std::unique_ptr<Backend> backend) { BackendSlot() = std::move(backend); }

int ScreenWidth() { return ScreenScale().Units(CurrentBackend().ScreenWidth()); }
int ScreenHeight() { return ScreenScale().Units(CurrentBackend().ScreenHeight()); }
int ScreenBitsPerPixel() { return CurrentBackend().ScreenBitsPerPixel(); }
int ScreenPixelsPerInch() { return CurrentBackend().PixelsPerInch(); }
void ProcessMessages() {
    Pumping().Shown();
    CurrentBackend().ProcessMessages();
}

void ProcessMessagesNowAndThen() {
    if (Pumping().Due()) CurrentBackend().ProcessMessages();
}
bool IsKeyDown(int virtualKey) { return CurrentBackend().IsKeyDown(virtualKey); }

TForm* MainForm() { return mainForm; }
void SetMainForm(TForm* form) { mainForm = form; }

TCursor ScreenCursor() { return screenCursor; }
void SetScreenCursor(TCursor cursor) {
    screenCursor = cursor;
    CurrentBackend().SetCursorShape(int(cursor));
}

int StartTimer(int milliseconds, std::function<void()> tick) {
    return CurrentBackend().StartTimer(milliseconds, std::move(tick));
}
void StopTimer(int id) { CurrentBackend().StopTimer(id); }

std::optional<std::vector<uint8_t>> LoadRawResource(const std::string& name) {
    return CurrentBackend().LoadRawResource(name);
}
void* AddPrivateFont(const std::vector<uint8_t>& bytes) { return CurrentBackend().AddPrivateFont(bytes); }
void RemovePrivateFont(void* handle) { CurrentBackend().RemovePrivateFont(handle); }

}  // namespace ui

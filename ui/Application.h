// The application as a whole: the screen, the message pump, the keyboard, the main form.
//
// Backend selection, once at start: a Windows program calls UseWin32Backend(hInstance);
// native tests and tools call UseHeadlessBackend(). Each is also its build's default when
// none was chosen. The headless backend is not part of a Windows build.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class TForm;

// The screen's size in the kit's units (Dpi.h), as forms are placed on it.
int ScreenWidth();
int ScreenHeight();
int ScreenBitsPerPixel();
int ScreenPixelsPerInch();
// Lets every pending window message run (repaints, timers, clicks on a page's buttons).
void ProcessMessages();
// The same during a long piece of work that asks at every unit of it: only when they last
// ran at least kKeepAliveMs ago by the platform's clock. Each pump is a round trip to the
// window system; a few a second keep the windows painted and the keys heard.
void ProcessMessagesNowAndThen();
constexpr uint32_t kKeepAliveMs = 60;
// Whether the key is held down at this moment.
bool IsKeyDown(int virtualKey);

// The application's main window (the backdrop); null before one is set.
TForm* MainForm();
void SetMainForm(TForm* form);

// The screen's cursor shape.
enum TCursor { crDefault = 0, crArrow = -2, crHourGlass = -11 };
TCursor ScreenCursor();
void SetScreenCursor(TCursor cursor);

// Timers on the user-interface thread.
int StartTimer(int milliseconds, std::function<void()> tick);
void StopTimer(int id);

// A raw-data resource of the program ("HelveticaR"), and fonts for this process only.
std::optional<std::vector<uint8_t>> LoadRawResource(const std::string& name);
void* AddPrivateFont(const std::vector<uint8_t>& bytes);
void RemovePrivateFont(void* handle);

#ifdef _WIN32
void UseWin32Backend(void* hInstance);
#else
void UseHeadlessBackend();
#endif

}  // namespace ui

// The engine's only ways to the user interface. Extraction runs on the interface thread
// and keeps the windows alive by letting pending messages run between units of work; it
// also watches a key (Escape) or asks a notify window whether to stop. The program
// installs these hooks at start-up; until then pumping does nothing and no key is down.
#pragma once

#include <cstdint>
#include <functional>

namespace unzip {

// A window handle as the engine passes it around; 0 means none.
using NotifyWindow = uintptr_t;

struct UnzipHooks {
    // Runs every waiting message of the thread. With a notify window, messages that the
    // window's dialog handling takes are not dispatched a second time.
    std::function<void(NotifyWindow notifyWindow)> pumpMessages;
    // True when the key with this virtual key code is down at this moment.
    std::function<bool(int virtualKey)> isKeyDown;
    // Sends the notify window WM_COMMAND with `notifyId` and the address of the percentage;
    // the receiver may set the percentage to 65535 to ask for the extraction to stop.
    std::function<void(NotifyWindow notifyWindow, int32_t notifyId, uint16_t* percent)>
        notifyProgress;
};

// Installs the hooks (missing members keep their do-nothing default); returns the old set.
UnzipHooks SetUnzipHooks(UnzipHooks hooks);
const UnzipHooks& CurrentUnzipHooks();

// The virtual key that stops an extraction started by ExtractArchive.
constexpr int32_t kEscapeKey = 27;
// The percentage a notify window writes back to stop the extraction.
constexpr uint16_t kAbortPercent = 65535;

}  // namespace unzip

#include "core/EngineHooks.h"

#include "ui/Application.h"
#include "unzip/UnzipHooks.h"

namespace core {

void ConnectArchiveEngineToInterface() {
    unzip::UnzipHooks hooks;
    // The engine asks before every block of input it reads: a few times a second is enough.
    hooks.pumpMessages = [](unzip::NotifyWindow) { ui::ProcessMessagesNowAndThen(); };
    hooks.isKeyDown = [](int virtualKey) { return ui::IsKeyDown(virtualKey); };
    unzip::SetUnzipHooks(hooks);
}

}  // namespace core

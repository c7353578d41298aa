#include "core/EngineHooks.h"

#include "ui/Application.h"
#include "unzip/UnzipHooks.h"

namespace core {

void ConnectArchiveEngineToInterface() {
    unzip::UnzipHooks hooks;
    hooks.pumpMessages = [](unzip::NotifyWindow) { ui::ProcessMessages(); };
    hooks.isKeyDown = [](int virtualKey) { return ui::IsKeyDown(virtualKey); };
    unzip::SetUnzipHooks(hooks);
}

}  // namespace core

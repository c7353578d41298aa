#include "unzip/UnzipHooks.h"

#include <utility>

namespace unzip {

namespace {

UnzipHooks WithDefaults(UnzipHooks hooks) {
    if (!hooks.pumpMessages) hooks.pumpMessages = [](NotifyWindow) {};
    if (!hooks.isKeyDown) hooks.isKeyDown = [](int) { return false; };
    if (!hooks.notifyProgress) hooks.notifyProgress = [](NotifyWindow, int32_t, uint16_t*) {};
    return hooks;
}

UnzipHooks& Installed() {
    static UnzipHooks hooks = WithDefaults({});
    return hooks;
}

}  // namespace

UnzipHooks SetUnzipHooks(UnzipHooks hooks) {
    return std::exchange(Installed(), WithDefaults(std::move(hooks)));
}

const UnzipHooks& CurrentUnzipHooks() { return Installed(); }

}  // namespace unzip

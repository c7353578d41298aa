#include "platform/Platform.h"

#include <cstdlib>
#include <cstdio>

namespace plat {

namespace {
Platform* current = nullptr;
}

Platform& Current() {
    if (!current) {
        std::fputs("internal error: no platform was set up\n", stderr);
        std::abort();
    }
    return *current;
}

void SetCurrent(Platform* platform) { current = platform; }

}  // namespace plat

#include "unzip/EngineState.h"

namespace unzip {

BusyState& EngineBusyState() {
    static BusyState state;
    return state;
}

bool TryEnterExtraction(uint32_t now) {
    BusyState& state = EngineBusyState();
    if (state.busy) {
        const bool stale =
            state.lastPumpTime && uint32_t(now - *state.lastPumpTime) > kStaleBusyMilliseconds;
        if (!stale) return false;
    }
    state.busy = true;
    return true;
}

void LeaveExtraction() { EngineBusyState().busy = false; }

}  // namespace unzip

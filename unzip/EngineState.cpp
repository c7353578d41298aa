#include "unzip/EngineState.h"

#include "platform/Platform.h"

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

bool ExtractionRunning() { return EngineBusyState().busy; }

bool BusyFlag::Take() { return held_ = TryEnterExtraction(plat::Current().TickCount()); }

}  // namespace unzip

// The guard that keeps a second member extraction out while one runs. Extraction lets
// window messages run, so a message handler could start another; the busy flag refuses
// it. A busy flag that has not seen a message pump for 30 seconds is left over from an
// extraction that never finished and no longer counts.
#pragma once

#include <cstdint>
#include <optional>

namespace unzip {

constexpr uint32_t kStaleBusyMilliseconds = 30000;

struct BusyState {
    bool busy = false;
    std::optional<uint32_t> lastPumpTime;  // none until the first pump of the process
};

BusyState& EngineBusyState();

// True (and the flag set) when an extraction may start now; false gives ZipBusy.
bool TryEnterExtraction(uint32_t now);
void LeaveExtraction();
// True while an extraction holds the flag.
bool ExtractionRunning();

// Holds the busy flag from a successful Take() to the end of its scope.
class BusyFlag {
public:
    BusyFlag() = default;
    ~BusyFlag() {
        if (held_) LeaveExtraction();
    }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;
    bool Take();

private:
    bool held_ = false;
};

}  // namespace unzip

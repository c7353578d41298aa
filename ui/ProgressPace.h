// How often long work shows where it is: every unit of work (a block written) would
// repaint and pump the windows thousands of times a second, which under a real window
// system costs more than the work. A few times a second by the platform's clock is what
// a person sees as smooth.
//
//   ProgressPace pace(kShowEveryMs);
//   if (pace.Due()) Show();   // true at the first call, then once the interval has passed
//   pace.Shown();             // something shown out of turn starts the interval again
#pragma once

#include <cstdint>
#include <optional>

namespace ui {

class ProgressPace {
public:
    explicit ProgressPace(uint32_t intervalMs) : intervalMs_(intervalMs) {}

    // True, and counted as shown, when nothing was shown for the interval.
    bool Due();
    void Shown();

private:
    uint32_t intervalMs_;
    std::optional<uint32_t> lastShown_;
};

}  // namespace ui

// The database upgrade's run: the library's operations that the user chose, in order,
// each followed by the library's answer whether it succeeded. A failed operation never
// stops the next one. No windows: the page hands in what it shows.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "upgrade/UpgradeLibrary.h"

namespace work {

struct DatabaseUpgradeStep {
    std::string_view caption;
    UpgradeOperation operation;
};

inline constexpr std::array<DatabaseUpgradeStep, 3> DatabaseUpgradeSteps = {{
    {"Verificare structuri", UpgradeOperation::Structure},
    {"Actualizare liste", UpgradeOperation::Lists},
    {"Actualizare constante", UpgradeOperation::Constants},
}};

using StepChoice = std::array<bool, DatabaseUpgradeSteps.size()>;

struct DatabaseUpgradeView {
    // Whether the user chose the step, asked when its turn comes: the choice stays open
    // while the earlier steps run.
    std::function<bool(size_t step)> chosen;
    std::function<void(const std::string& text)> report;  // each progress text of the library
    std::function<void(size_t step, bool shown)> tick;
    std::function<void()> statusRed;                      // before the lists and the constants
    std::function<void(size_t step)> finished;
};

// Which steps ran, each as the user had chosen it when its turn came, and which of them
// succeeded. A box changed after its turn changes neither.
struct DatabaseUpgradeOutcome {
    StepChoice ran{};
    StepChoice succeeded{};
    bool AllSucceeded() const { return ran == succeeded; }
};

// Hands the library the report procedure, then runs the chosen steps.
DatabaseUpgradeOutcome RunDatabaseUpgrade(const DatabaseUpgradeView& view);

}  // namespace work

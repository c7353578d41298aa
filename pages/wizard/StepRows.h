// The rows of the pages that run a fixed list of steps: one borderless panel per step,
// its caption right-aligned in black while the step waits, left-aligned in red with a
// raised border once the step is over, whatever its outcome.
#pragma once

#include "ui/Panels.h"

namespace pages {

void ShowStepWaiting(ui::TPanel& row);
// Also repaints the row at once, so the change is seen before the next step starts.
void ShowStepFinished(ui::TPanel& row);
bool StepFinished(const ui::TPanel& row);

}  // namespace pages

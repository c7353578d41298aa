#include "work/dbupgrade/DatabaseUpgradeRun.h"

namespace work {

StepChoice RunDatabaseUpgrade(const DatabaseUpgradeView& view) {
    UpgradeSetReportSink(view.report);
    StepChoice succeeded{};
    for (size_t step = 0; step < DatabaseUpgradeSteps.size(); ++step) {
        if (!view.chosen(step)) continue;
        view.tick(step, true);
        if (step > 0) view.statusRed();
        succeeded[step] = UpgradeRun(DatabaseUpgradeSteps[step].operation);
        if (!succeeded[step]) view.tick(step, false);
        view.finished(step);
    }
    return succeeded;
}

}  // namespace work

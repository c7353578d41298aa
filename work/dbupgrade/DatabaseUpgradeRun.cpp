#include "work/dbupgrade/DatabaseUpgradeRun.h"

namespace work {

DatabaseUpgradeOutcome RunDatabaseUpgrade(const DatabaseUpgradeView& view) {
    UpgradeSetReportSink(view.report);
    DatabaseUpgradeOutcome outcome;
    StepChoice& succeeded = outcome.succeeded;
    for (size_t step = 0; step < DatabaseUpgradeSteps.size(); ++step) {
        if (!view.chosen(step)) continue;
        outcome.ran[step] = true;
        view.tick(step, true);
        if (step > 0) view.statusRed();
        succeeded[step] = UpgradeRun(DatabaseUpgradeSteps[step].operation);
        if (!succeeded[step]) view.tick(step, false);
        view.finished(step);
    }
    return outcome;
}

}  // namespace work

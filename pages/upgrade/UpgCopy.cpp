#include "pages/upgrade/UpgCopy.h"

#include "core/InstallState.h"
#include "pages/wizard/BoxReports.h"
#include "work/configure/EarlierInstallation.h"
#include "work/configure/InstallRecording.h"

namespace pages {

TUpgCopy::TUpgCopy() : TCopyPageForm(core::PageUpgradeCopy) {}

work::CopyOrder TUpgCopy::Order() {
    work::CopyOrder order = OrderOfThisRun(product::UpgradeComponentSets);
    order.replacement = work::Replacement::UpgradeRule;
    order.skipMissingModules = false;
    // Each Continue is a copy of its own, with a journal of its own: what a try that failed
    // noted and undid is no part of the next one. The journal lives in the run's state, so
    // that the database upgrade page ends the upgrade it leaves open.
    auto& upgrade = core::State().Upgrade;
    upgrade = std::make_unique<journal::UpgradeJournal>();
    order.journal = upgrade.get();
    order.leaveJournalOpen = core::DatabaseUpgradeFollows();
    // The upgraded files take their new sizes and CRCs in the installation's record, which
    // changes with the installation or not at all. An installation without a record gets
    // one that names what of the product's it had made before.
    order.beforeCommit = [journal = upgrade.get(), config = work::ConfigOrderOf(core::State())] {
        BoxReports reports;
        work::TakeEarlierInstallation(config);
        return work::RecordThisRun(config, reports, journal);
    };
    return order;
}

std::unique_ptr<ui::TForm> MakeUpgCopy() { return std::make_unique<TUpgCopy>(); }

}  // namespace pages

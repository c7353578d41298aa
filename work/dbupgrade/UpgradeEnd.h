// How an upgrade ends, on the database upgrade page. The upgrade copy left the upgrade's
// journal open, so that the upgrade is one transaction, files and database together:
//
//   1. Before the library touches the data, the data it works on (the alias's folder and
//      its subfolders) is copied aside on its own drive and checked file by file, once
//      the drive is known to have room for it ("Spatiu insuficient!" otherwise).
//   2. The operations the user chose run (DatabaseUpgradeRun.h).
//   3. All succeeded: the journal commits; the kept files and the data's copy go.
//      One failed: a box names the failed operations and asks whether to go back to the
//      old version. Yes (the safe answer, taken for an absent person): the data comes
//      back from its copy and the journal is undone. No: the new version stays on the
//      data as the library left it, and the data's copy stays where the box says.
//
// Back or Abandon before Continue undo the upgrade (AbandonUpgrade). With no open journal
// there is nothing to end: only the operations run. Each end is noted in the run log.
#pragma once

#include <string>

#include "journal/UpgradeJournal.h"
#include "work/Reports.h"
#include "work/dbupgrade/DatabaseUpgradeRun.h"

namespace work {

struct DatabaseUpgradeOrder {
    journal::UpgradeJournal* upgrade = nullptr;  // the upgrade's journal, open since its copy
    std::string dataFolder;                      // what the library changes: the alias's folder
};

enum class UpgradeEnd {
    NotStarted,  // the data could not be kept aside (told): nothing ran, nothing changed
    Committed,   // every chosen operation succeeded: the new version stands
    WentBack,    // an operation failed, and the old version is back, data and all
    KeptNew,     // an operation failed, and the new version stays on the data as it is now
};

struct UpgradeOutcome {
    UpgradeEnd end = UpgradeEnd::NotStarted;
    DatabaseUpgradeOutcome steps;
};

UpgradeOutcome UpgradeDatabase(const DatabaseUpgradeOrder& order, const DatabaseUpgradeView& view, Reports& reports);

// Back or Abandon on the database upgrade page: the upgrade is undone, its files and data
// as they were before it. What could not be put back is told and waits for the next start.
void AbandonUpgrade(journal::UpgradeJournal* upgrade, Reports& reports);

}  // namespace work

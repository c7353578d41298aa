// The state of one installation: what one page decides and another needs. Pages are
// created afresh each time they are shown, so nothing lives in a form; it lives here,
// process-wide, from start to end, on the one user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "journal/UpgradeJournal.h"

namespace core {

enum InstallKind : uint8_t { InstallNone = 0, InstallLocal = 1, InstallServer = 2, InstallClient = 3 };

struct InstallState {
    uint8_t InstallType = InstallNone;
    bool IsUpgrade = false;
    uint8_t PageNo = 0;
    std::string WorkDir = "C:\\WinTorv";
    std::string ProgramDir = "C:\\WinTorv";
    std::string WorkDataDir = "C:\\WinTorv";
    std::string DataDir = "C:\\WinTorv";
    std::string SourceDir;
    int DiskCount = 1;
    bool OldEngineFlag = false;
    // The folder of the product's database alias as the upgrade library names it: what
    // the database upgrade changes. Empty when the library knows no folder for it.
    std::string DatabaseDir;
    // The upgrade's journal, from the upgrade copy's Continue. It stays open (Active)
    // after the copy until the database upgrade page ends it: nothing of an upgrade is
    // committed before its database is upgraded too.
    std::unique_ptr<journal::UpgradeJournal> Upgrade;
    // The upgrade was undone after a database step had failed: the old version stands.
    bool UpgradeUndone = false;
};

// The one state of this run.
InstallState& State();
// Back to the initial values (a new run, or a test), with nothing noted as made yet.
void ResetState();

}  // namespace core

#include "journal/Recovery.h"

#include "journal/JournalFile.h"
#include "journal/UpgradeJournal.h"
#include "platform/Platform.h"

namespace journal {

Recovery RecoverInterruptedUpgrade() {
    plat::Platform& machine = plat::Current();
    Recovery recovery;
    recovery.journalPath = machine.RegistryReadString(kPointerKey, kPointerValue).value_or("");
    if (recovery.journalPath.empty()) return recovery;
    // A journal on a drive that is not there now is waited for, never taken for gone.
    if (const std::string drive = MissingDrive(recovery.journalPath); !drive.empty()) {
        recovery.outcome = Recovery::Unreachable;
        recovery.problems = {drive};
        return recovery;
    }
    if (!machine.FileExists(recovery.journalPath)) {
        // Its upgrade was finished or undone, or never began: all but clearing up.
        Discard(recovery.journalPath, {});
        return recovery;
    }
    // The upgrade that writes it holds it open: it is not interrupted, it is running.
    if (machine.FileInUse(recovery.journalPath)) {
        recovery.outcome = Recovery::Running;
        return recovery;
    }
    const auto text = plat::ReadWholeFile(recovery.journalPath);
    const auto journal = text ? ParseJournal(*text) : std::nullopt;
    if (!journal) {
        recovery.outcome = Recovery::Damaged;
        return recovery;
    }
    recovery.data = KeepsData(journal->steps);
    recovery.problems = journal->done ? FinishSteps(journal->steps) : UndoSteps(journal->steps);
    // What could not be done now, the next start tries again: the journal stays for it.
    if (!recovery.problems.empty()) {
        recovery.outcome = journal->done ? Recovery::Unfinished : Recovery::Incomplete;
        return recovery;
    }
    Discard(recovery.journalPath, journal->steps);
    recovery.outcome = journal->done ? Recovery::Finished : Recovery::RolledBack;
    return recovery;
}

}  // namespace journal

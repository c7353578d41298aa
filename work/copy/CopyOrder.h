// Everything a copy needs to know, stated once by the page that starts it: where the
// pieces are, where each component goes, which existing files it replaces, and whether
// it is an upgrade's all-or-nothing copy. The copy reads nothing else of the run.
//
//   CopyOrder order;                              // the fresh installation's copy page
//   order.source = {state.SourceDir, state.DiskCount};
//   order.folders = {state.WorkDir, state.ProgramDir, state.DataDir};
//   order.selection = product::ComponentSets[state.InstallType];
//   order.replacement = Replacement::AllButData;
#pragma once

#include <functional>
#include <string>

#include "journal/UpgradeJournal.h"
#include "product/Components.h"

namespace work {

struct CopySource {
    std::string folder;  // a floppy drive's root, or the CD folder with every piece
    int diskCount = 1;   // disks of the set; a source that is no floppy drive is one disk
};

struct CopyFolders {
    std::string work;     // where the archives are joined, unpacked from and deleted
    std::string program;  // where the program's archives go
    std::string data;     // where the data archives go
};

// Which existing files the copy replaces; a file that is not there yet is always written.
enum class Replacement {
    // A fresh installation: every file but the data's, so that a data folder that is
    // there already keeps its databases and the samples fill in only what is missing.
    AllButData,
    // An upgrade: the replacement rule (ReplacementRule.h), each decision noted in the
    // run log.
    UpgradeRule,
};

struct CopyOrder {
    CopySource source;
    CopyFolders folders;
    product::ComponentSet selection = 0;
    Replacement replacement = Replacement::AllButData;
    // A missing VANTIR.ZIP or MIRDAN.ZIP is skipped without an attempt.
    bool skipMissingModules = true;
    // An engine found older than version 4 earlier in this run: it is warned about again
    // and unpacked over where it is registered.
    bool oldEngine = false;
    // An upgrade's journal. The copy is then all or nothing: any failure, or a refused
    // disk, puts the installation back as it was; and the files it will replace are
    // first checked for other programs that hold them.
    journal::UpgradeJournal* journal = nullptr;
    // A copy that succeeded leaves its journal open, uncommitted: the database upgrade
    // that follows commits it or undoes it with its own work.
    bool leaveJournalOpen = false;
    // Called once every archive is unpacked, while the journal is still open, so that
    // what it writes through the journal stands or goes with the copy. False fails the
    // copy (it has told the user why).
    std::function<bool()> beforeCommit;
};

}  // namespace work

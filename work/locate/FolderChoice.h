// The decisions of the destination folders page, apart from its window: which rows a
// kind of installation shows, and the checks and creations of Continue.
#pragma once

#include <string>

#include "core/InstallState.h"

namespace work {

struct DirsLayout {
    bool dataRowVisible;   // LDate, RDate, BDate
    bool memoVisible;      // the note for a CLIENT
    bool dataFromState;    // RDate starts from WorkDataDir (else empty)
    bool nextEnabled;      // Continue before any change of the data field
};
DirsLayout DirsLayoutFor(int installType);

enum class FolderCheck {
    Passed,             // both folders exist (created where needed): the page may close
    NotCreated,         // a folder could not be created: the page stays open, no message
    ClientDataMissing,  // a CLIENT's data folder does not exist: the error box, page stays open
};

// Continue on the folders page with the two fields' texts, for the state the page hands
// in: stores ProgramDir and DataDir
// by the kind of installation, creates a missing program folder and then (SERVER) a
// missing data folder, one level each, and copies the result into WorkDir and WorkDataDir
// in any case. When the page stays open, the folders this call created are removed
// again, so a refused Continue leaves nothing behind.
FolderCheck AcceptFolders(core::InstallState& state, int installType, const std::string& programText,
                          const std::string& dataText);

}  // namespace work

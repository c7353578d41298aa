// The decisions of the destination folders page, apart from its window: which rows a
// kind of installation shows, and the checks and creations of Continue.
#pragma once

#include <optional>
#include <string>
#include <vector>

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
    OutsideCodePage,    // a folder the engine cannot be given: its box, page stays open, nothing made
};

// A folder of the page with letters that the machine's ANSI code page cannot hold. The
// database engine takes its texts in that code page only, and the product, an 8-bit
// program too, runs from the program folder: such a folder would reach both garbled.
struct FolderOutsideCodePage {
    std::string folder;
    std::vector<std::string> letters;  // each once, in UTF-8
};
// The first such folder of the page's fields: the program folder, then the data folder
// where the kind of installation shows it.
std::optional<FolderOutsideCodePage> FindFolderOutsideCodePage(int installType, const std::string& programText,
                                                               const std::string& dataText);

// Continue on the folders page with the two fields' texts, for the state the page hands
// in: stores ProgramDir and DataDir
// by the kind of installation, creates a missing program folder and then (SERVER) a
// missing data folder, one level each, and copies the result into WorkDir and WorkDataDir
// in any case. When the page stays open, the folders this call created are removed
// again, so a refused Continue leaves nothing behind; a folder outside the code page is
// refused before anything is made.
FolderCheck AcceptFolders(core::InstallState& state, int installType, const std::string& programText,
                          const std::string& dataText);

}  // namespace work

// A folder row of the pages that ask for folders (the destination folders page and the
// locate page): the label ("&Program:") tied to its edit box, and the browse button that
// shows the folder picture only. Named L<suffix>, R<suffix> and B<suffix>.
#pragma once

#include <string>

#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Labels.h"

namespace pages {

struct FolderRow {
    ui::TActiveLabel* label;
    ui::TActiveEdit* edit;
    ui::TMButton* browse;
};

// Adds the row to `panel` at `top`, its edit box `editWidth` pixels wide.
FolderRow AddFolderRow(ui::TWinControl& panel, const std::string& suffix, const char* caption, int top,
                       int editWidth);

}  // namespace pages

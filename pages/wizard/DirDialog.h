// The folder dialog: a drive list bound to a folder tree list, O&K and &Renunt. It starts
// at the process's current folder; its answer is the folder open in the list.
#pragma once

#include <optional>
#include <string>

#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace pages {

class TDirDialog : public ui::TTitleForm {
public:
    TDirDialog();

    ui::TDriveComboBox* DriveComboBox1 = nullptr;
    ui::TDirectoryListBox* dirs = nullptr;
    ui::TNiceButton* BOK = nullptr;
    ui::TNiceButton* BCancel = nullptr;

    // The folder open in the list.
    std::string Directory() const;

    // Enter in the folder list opens the folder selected there, as a double click does,
    // so that the list can be walked from the keyboard.
    void FormKeyDown(int& key, ui::TShiftState shift) override;
};

// A folder the user picked, as the folder fields take it: with one trailing backslash.
std::string PickedFolder(const std::string& directory);

// Shows the folder dialog modally: the folder picked (with its trailing backslash), or
// nothing when the user gave up.
std::optional<std::string> PickFolder();

}  // namespace pages

#include "pages/wizard/DirDialog.h"

#include "platform/Paths.h"
#include "ui/Application.h"
#include "ui/Labels.h"

namespace pages {

TDirDialog::TDirDialog() : ui::TTitleForm("TDirDialog") {
    Caption = "Alegeti calea!";
    BorderStyle = ui::bsDialog;
    BorderIcons = ui::biSystemMenu;
    KeyPreview = true;
    SetClientSize(382, 280);
    AddTitleBar("Alegeti calea!");

    auto& pathLabel = Add<ui::TLabel>("LCale");
    pathLabel.Caption = "&Cale:";
    pathLabel.SetBounds(12, 34, 40, 13);
    dirs = &Add<ui::TDirectoryListBox>("dirs");
    dirs->SetBounds(12, 52, 215, 210);
    pathLabel.FocusControl = dirs;

    auto& driveLabel = Add<ui::TLabel>("LDisc");
    driveLabel.Caption = "&Disc:";
    driveLabel.SetBounds(240, 34, 40, 13);
    DriveComboBox1 = &Add<ui::TDriveComboBox>("DriveComboBox1");
    DriveComboBox1->SetBounds(240, 52, 130, 21);
    DriveComboBox1->DirList = dirs;
    driveLabel.FocusControl = DriveComboBox1;

    BOK = &Add<ui::TNiceButton>("BOK");
    BOK->Kind = ui::mkOK;
    BOK->SetBounds(255, 196, 115, 28);
    BCancel = &Add<ui::TNiceButton>("BCancel");
    BCancel->Kind = ui::mkCancel;
    BCancel->SetBounds(255, 234, 115, 28);

    Left = (ui::ScreenWidth() - Width) / 2;
    Top = (ui::ScreenHeight() - Height) / 2;
    FormCreate();
}

std::string TDirDialog::Directory() const { return dirs->Directory; }

void TDirDialog::FormKeyDown(int& key, ui::TShiftState shift) {
    if (key != ui::vk::Return || shift != 0 || !dirs->Focused()) return;
    dirs->OpenedByUser(dirs->ItemIndex);
    key = 0;
}

std::string PickedFolder(const std::string& directory) { return plat::IncludeTrailingBackslash(directory); }

std::optional<std::string> PickFolder() {
    TDirDialog dialog;
    if (dialog.ShowModal() != ui::mrOk) return std::nullopt;
    return PickedFolder(dialog.Directory());
}

}  // namespace pages

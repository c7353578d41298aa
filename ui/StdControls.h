// The kit's other controls, with their ordinary behaviour: check box, radio buttons and
// the radio group, gauge, list and combo boxes, the drive list and the folder list.
#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Panels.h"

namespace ui {

class TCheckBox : public TWinControl {
public:
    TCheckBox();
    Prop<bool> Checked{false};
    Prop<TAlignment> Alignment{taRightJustify};  // the caption's side of the box

    PeerKind Peer() const override { return PeerKind::CheckBox; }
    // A click toggles the box, then runs OnClick.
    void Click() override;
    bool AcceptsAccelerator(bool) const override { return true; }
    void Accelerate() override;
    void Paint(Canvas& canvas) override;
};

class TRadioButton : public TWinControl {
public:
    TRadioButton();
    Prop<bool> Checked{false};

    PeerKind Peer() const override { return PeerKind::RadioButton; }
    // A click checks this button and clears its siblings, then runs OnClick.
    void Click() override;
    bool AcceptsAccelerator(bool) const override { return true; }
    void Accelerate() override;
    void Paint(Canvas& canvas) override;
};

// A group of radio buttons, one per item; ItemIndex is the checked one (-1: none).
class TMRadioGroup : public TPanel {
public:
    TMRadioGroup();
    Prop<std::vector<std::string>> Items;
    Prop<int> ItemIndex{-1};
    Prop<int> Columns{1};
    // The user changed the selection.
    std::function<void()> OnChange;

    TRadioButton* Button(int index) const;
    // Called by an item's button when the user picks it.
    void ItemClicked(int index);

private:
    void Rebuild();
    void LayoutButtons();
    void ShowIndex();
    std::vector<TRadioButton*> buttons_;
};

// A progress bar with its percentage.
class TGauge : public TGraphicControl {
public:
    TGauge();
    Prop<int> MinValue{0};
    Prop<int> MaxValue{100};
    Prop<int> Progress{0};
    Prop<TColor> ForeColor{clNavy};
    Prop<TColor> BackColor{clWhite};
    Prop<bool> ShowText{true};

    int PercentDone() const;
    void Paint(Canvas& canvas) override;
};

// Lists of items with one selected.
class TListControl : public TWinControl {
public:
    TListControl();
    Prop<std::vector<std::string>> Items;
    Prop<int> ItemIndex{-1};
    std::function<void()> OnChange;

    // The user selected an item, or opened it (double click, Enter).
    virtual void SelectedByUser(int index);
    virtual void OpenedByUser(int index);
    void Paint(Canvas& canvas) override;
};

class TComboBox : public TListControl {
public:
    TComboBox() { Height.SetQuietly(21); }
    PeerKind Peer() const override { return PeerKind::ComboBox; }
};

class TListBox : public TListControl {
public:
    PeerKind Peer() const override { return PeerKind::ListBox; }
};

class TDirectoryListBox;

// The drives of the machine ("c:"); choosing one moves the bound folder list there.
class TDriveComboBox : public TComboBox {
public:
    TDriveComboBox();
    Prop<char> Drive{'c'};
    TDirectoryListBox* DirList = nullptr;

    // Reads the drives again from the platform.
    void Refresh();
    void SelectedByUser(int index) override;

private:
    void ShowDrive();
};

// A folder tree list: the folders from the drive's root down to the open folder, then
// the open folder's subfolders. Opening an item makes it the open folder.
class TDirectoryListBox : public TListBox {
public:
    TDirectoryListBox();
    // The open folder, like "C:\WinTorv" (no trailing backslash except at a root).
    Prop<std::string> Directory;

    void OpenedByUser(int index) override;
    // The folder an item stands for.
    std::string ItemPath(int index) const;

private:
    void Fill();
    std::vector<std::string> paths_;
};

}  // namespace ui

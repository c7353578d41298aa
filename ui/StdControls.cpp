#include "ui/StdControls.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/Paths.h"
#include "platform/Platform.h"

namespace ui {

// --- TCheckBox ---

TCheckBox::TCheckBox() {
    SetBounds(0, 0, 97, 17);
    Checked.OnChange([this] { Changed(); });
    Alignment.OnChange([this] { Changed(); });
}

void TCheckBox::Click() {
    Checked = !Checked;
    TControl::Click();
}

void TCheckBox::Accelerate() {
    if (!CanFocus()) return;
    SetFocus();
    Click();
}

void TCheckBox::Paint(Canvas& canvas) {
    const int box = 13, top = (Height - box) / 2;
    const int left = Alignment == taRightJustify ? 0 : Width - box;
    if (!Transparent) canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    canvas.FillRect(Bounds(left, top, box, box), clWindow);
    canvas.Frame3D(Bounds(left, top, box, box), clBtnShadow, clBtnHighlight, 1);
    FontSpec font = EffectiveFont();
    if (Checked)
        for (int i = 0; i < 3; ++i) {
            canvas.Line(left + 3, top + 5 + i, left + 5, top + 7 + i, font.Color);
            canvas.Line(left + 5, top + 7 + i, left + 10, top + 2 + i, font.Color);
        }
    if (Caption->empty()) return;
    canvas.SetFont(font);
    TSize text = canvas.CaptionExtent(Caption);
    int x = Alignment == taRightJustify ? box + 4 : left - 4 - text.cx;
    canvas.CaptionAt(x, (Height - text.cy) / 2, Caption, EnabledChain() ? font.Color : clGrayText);
}

// --- TRadioButton ---

TRadioButton::TRadioButton() {
    SetBounds(0, 0, 113, 17);
    Checked.OnChange([this] {
        if (Checked && Parent())
            for (const auto& sibling : Parent()->Controls())
                if (auto* radio = dynamic_cast<TRadioButton*>(sibling.get()); radio && radio != this && radio->Checked)
                    radio->Checked = false;
        Changed();
    });
}

void TRadioButton::Click() {
    Checked = true;
    TControl::Click();
}

void TRadioButton::Accelerate() {
    if (!CanFocus()) return;
    SetFocus();
    Click();
}

void TRadioButton::Paint(Canvas& canvas) {
    const int box = 12, top = (Height - box) / 2;
    if (!Transparent) canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    canvas.FillRect(Bounds(1, top + 1, box - 2, box - 2), clWindow);
    canvas.Frame3D(Bounds(0, top, box, box), clBtnShadow, clBtnHighlight, 1);
    FontSpec font = EffectiveFont();
    if (Checked) canvas.FillRect(Bounds(4, top + 4, 4, 4), font.Color);
    canvas.SetFont(font);
    TSize text = canvas.CaptionExtent(Caption);
    canvas.CaptionAt(box + 4, (Height - text.cy) / 2, Caption, EnabledChain() ? font.Color : clGrayText);
}

// --- TMRadioGroup ---

TMRadioGroup::TMRadioGroup() {
    BevelOuter.SetQuietly(bvNone);
    Items.OnChange([this] { Rebuild(); });
    ItemIndex.OnChange([this] { ShowIndex(); });
    Columns.OnChange([this] { LayoutButtons(); });
}

TRadioButton* TMRadioGroup::Button(int index) const {
    return index >= 0 && index < int(buttons_.size()) ? buttons_[size_t(index)] : nullptr;
}

void TMRadioGroup::Rebuild() {
    for (TRadioButton* button : buttons_) Remove(*button);
    buttons_.clear();
    const auto& items = Items.get();
    for (size_t i = 0; i < items.size(); ++i) {
        TRadioButton& button = Add<TRadioButton>(Name.get() + "Item" + std::to_string(i));
        button.Caption = items[i];
        const int index = int(i);
        button.OnClick = [this, index] { ItemClicked(index); };
        buttons_.push_back(&button);
    }
    LayoutButtons();
    ShowIndex();
}

void TMRadioGroup::LayoutButtons() {
    if (buttons_.empty()) return;
    const int columns = std::max(1, int(Columns));
    const int rows = int(buttons_.size() + size_t(columns) - 1) / columns;
    const int columnWidth = (Width - 8) / columns;
    const int rowHeight = std::max(17, (Height - 8) / std::max(1, rows));
    for (size_t i = 0; i < buttons_.size(); ++i) {
        int column = int(i) / rows, row = int(i) % rows;
        buttons_[i]->SetBounds(4 + column * columnWidth, 4 + row * rowHeight, columnWidth - 4, 17);
    }
}

void TMRadioGroup::ShowIndex() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        bool checked = int(i) == ItemIndex;
        if (buttons_[i]->Checked != checked) buttons_[i]->Checked.SetQuietly(checked);
        buttons_[i]->Invalidate();
        if (buttons_[i]->Handle) buttons_[i]->Checked = checked;
    }
}

void TMRadioGroup::ItemClicked(int index) {
    if (index == ItemIndex) return;
    ItemIndex.SetQuietly(index);
    ShowIndex();
    if (OnChange) OnChange();
    if (OnClick) OnClick();
}

// --- TGauge ---

TGauge::TGauge() {
    SetBounds(0, 0, 100, 100);
    auto changed = [this] { Changed(); };
    MinValue.OnChange(changed);
    MaxValue.OnChange(changed);
    Progress.OnChange(changed);
    ForeColor.OnChange(changed);
    BackColor.OnChange(changed);
}

int TGauge::PercentDone() const {
    const long long span = (long long)MaxValue - MinValue;
    if (span <= 0) return 0;
    long long done = std::clamp<long long>((long long)Progress - MinValue, 0, span);
    return int(done * 100 / span);
}

void TGauge::Paint(Canvas& canvas) {
    const int w = Width, h = Height;
    canvas.FillRect({0, 0, w, h}, BackColor);
    canvas.Frame3D({0, 0, w, h}, clBtnShadow, clBtnHighlight, 1);
    const int inner = std::max(0, w - 2);
    const int filled = inner * PercentDone() / 100;
    if (filled > 0) canvas.FillRect({1, 1, 1 + filled, h - 1}, ForeColor);
    if (!ShowText) return;
    const std::string text = std::to_string(PercentDone()) + "%";
    canvas.SetFont(EffectiveFont());
    TSize size = canvas.TextExtent(text);
    const int x = (w - size.cx) / 2, y = (h - size.cy) / 2;
    // As the platform's gauge: white over the filled part, black over the rest, so every
    // character stays readable wherever the bar ends.
    canvas.TextClipped({1, 1, 1 + filled, h - 1}, x, y, text, clWhite);
    canvas.TextClipped({1 + filled, 1, w - 1, h - 1}, x, y, text, clBlack);
}

// --- lists ---

TListControl::TListControl() {
    Color.SetQuietly(clWindow);
    SetBounds(0, 0, 145, 97);
    Items.OnChange([this] { Changed(); });
    ItemIndex.OnChange([this] { Changed(); });
}

void TListControl::SelectedByUser(int index) {
    if (index == ItemIndex) return;
    ItemIndex.SetQuietly(index);
    if (OnChange) OnChange();
}

void TListControl::OpenedByUser(int index) { SelectedByUser(index); }

void TListControl::Paint(Canvas& canvas) {
    canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    canvas.Frame3D({0, 0, Width, Height}, clBtnShadow, clBtnHighlight, 1);
    canvas.SetFont(EffectiveFont());
    int y = 2;
    const auto& items = Items.get();
    for (size_t i = 0; i < items.size() && y < Height; ++i) {
        TSize size = canvas.TextExtent(items[i]);
        if (int(i) == ItemIndex) canvas.FillRect({2, y, Width - 2, y + size.cy}, clHighlight);
        canvas.TextAt(3, y, items[i], int(i) == ItemIndex ? clHighlightText : EffectiveFont().Color);
        y += size.cy;
    }
}

// --- drives and folders ---

TDriveComboBox::TDriveComboBox() {
    Drive.OnChange([this] { ShowDrive(); });
    Refresh();
}

void TDriveComboBox::Refresh() {
    std::vector<std::string> drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        std::string root = std::string(1, letter) + ":\\";
        plat::DriveType type = plat::Current().DriveTypeOf(root);
        if (type != plat::DriveType::NoRootDir && type != plat::DriveType::Unknown)
            drives.push_back(std::string(1, letter) + ":");
    }
    Items.SetQuietly(drives);
    std::string current = plat::Current().CurrentDirectory();
    if (current.size() >= 2 && current[1] == ':') Drive.SetQuietly(char(std::tolower((unsigned char)current[0])));
    ShowDrive();
}

void TDriveComboBox::ShowDrive() {
    const auto& items = Items.get();
    int index = -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i][0] == std::tolower((unsigned char)Drive.get())) index = int(i);
    ItemIndex = index;
}

void TDriveComboBox::SelectedByUser(int index) {
    const auto& items = Items.get();
    if (index < 0 || index >= int(items.size())) return;
    Drive.SetQuietly(items[size_t(index)][0]);
    TListControl::SelectedByUser(index);
    if (DirList) DirList->Directory = std::string(1, char(std::toupper((unsigned char)Drive.get()))) + ":\\";
}

TDirectoryListBox::TDirectoryListBox() {
    Directory.OnChange([this] { Fill(); });
    Directory = plat::ExcludeTrailingBackslash(plat::Current().CurrentDirectory());
}

std::string TDirectoryListBox::ItemPath(int index) const {
    return index >= 0 && index < int(paths_.size()) ? paths_[size_t(index)] : std::string();
}

void TDirectoryListBox::Fill() {
    std::string directory = Directory;
    // A root keeps its backslash; other folders are shown without one.
    if (directory.size() > 3) directory = plat::ExcludeTrailingBackslash(directory);
    if (directory.size() == 2 && directory[1] == ':') directory += '\\';
    Directory.SetQuietly(directory);

    std::vector<std::string> items;
    paths_.clear();
    std::string root = plat::ExtractDriveRoot(directory);
    std::string path = root;
    int depth = 0;
    items.push_back(root);
    paths_.push_back(root);
    std::string rest = directory.substr(std::min(root.size(), directory.size()));
    size_t start = 0;
    while (start < rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        std::string part = rest.substr(start, end - start);
        if (!part.empty()) {
            path = plat::JoinPath(path, part);
            ++depth;
            items.push_back(std::string(size_t(depth) * 2, ' ') + part);
            paths_.push_back(path);
        }
        start = end + 1;
    }
    const int openIndex = int(items.size()) - 1;
    std::vector<std::string> subfolders;
    for (const plat::DirEntry& entry : plat::Current().ListDirectory(directory))
        if (entry.isDirectory && entry.name != "." && entry.name != "..") subfolders.push_back(entry.name);
    std::sort(subfolders.begin(), subfolders.end(), [](const std::string& a, const std::string& b) {
        return plat::ToUpperAscii(a) < plat::ToUpperAscii(b);
    });
    for (const std::string& name : subfolders) {
        items.push_back(std::string(size_t(depth + 1) * 2, ' ') + name);
        paths_.push_back(plat::JoinPath(directory, name));
    }
    Items = items;
    ItemIndex = openIndex;
}

void TDirectoryListBox::OpenedByUser(int index) {
    std::string path = ItemPath(index);
    if (path.empty()) return;
    Directory = path;
    if (OnChange) OnChange();
}

}  // namespace ui

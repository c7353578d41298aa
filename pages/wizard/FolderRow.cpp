#include "pages/wizard/FolderRow.h"

#include "pages/wizard/PagePictures.h"

namespace pages {

namespace {
constexpr ui::TColor kFieldBorder = 0xCFCFCF, kFieldBorderFocused = 0xA9A9A9;
constexpr int kEditLeft = 58;
}  // namespace

FolderRow AddFolderRow(ui::TWinControl& panel, const std::string& suffix, const char* caption, int top,
                       int editWidth) {
    FolderRow row{};
    row.label = &panel.Add<ui::TActiveLabel>("L" + suffix);
    row.label->Caption = caption;
    row.label->Autosize = true;
    row.label->SetBounds(8, top + 4, 46, 13);
    row.edit = &panel.Add<ui::TActiveEdit>("R" + suffix);
    row.edit->SetBounds(kEditLeft, top, editWidth, 21);
    row.edit->FlatStyle = true;
    row.edit->BorderColor = kFieldBorder;
    row.edit->BorderColorF = kFieldBorderFocused;
    row.edit->AssocLabel = row.label;
    row.browse = &panel.Add<ui::TMButton>("B" + suffix);
    row.browse->Caption = "Cauta...";
    row.browse->CaptionVisible = false;
    row.browse->Glyph = FolderGlyph();
    row.browse->NumGlyphs = 1;
    row.browse->SetBounds(kEditLeft + editWidth + 3, top - 1, 26, 23);
    return row;
}

}  // namespace pages

// Page 6, the first of an upgrade: finds the installed product. The data folder and the
// kind of installation come from the database alias when the page is created; the first
// Continue searches for the program folder (the profile, then the fixed drives); the user
// may browse to another folder; the second Continue accepts the folder shown.
#pragma once

#include <memory>

#include "pages/WizardPage.h"
#include "ui/Edits.h"
#include "ui/Labels.h"

namespace pages {

class TFindApp : public TWizardPage {
public:
    TFindApp();

    ui::TActiveLabel* LProgram = nullptr;
    ui::TActiveEdit* RProgram = nullptr;
    ui::TMButton* BProgram = nullptr;
    ui::TActiveLabel* LDate = nullptr;
    ui::TActiveEdit* RDate = nullptr;
    ui::TMButton* BDate = nullptr;
    ui::TLabel* dirlabel = nullptr;

    bool Searched = false;     // the search has run; the next Continue accepts
    bool StopSearch = false;   // Abandon was pressed; a running search ends at the next folder
    bool FolderValid = false;  // the Program box holds the product

    void FormCreate() override;
    void BNextClick();
    // The search, once: the kit's own FormActivate runs whenever the page is activated,
    // and this must run only from the first Continue.
    void SearchProgramFolder();
    void BProgramClick();
    void BCancelClick();

private:
    void ShowSearchResult(const std::string& found);
    void EnableNext();
};

std::unique_ptr<ui::TForm> MakeFindApp();

}  // namespace pages

// Page 6, the first of an upgrade: finds the installed product. The data folder and the
// kind of installation come from the database alias when the page is created; the first
// Continue searches for the program folder (the profile, then the fixed drives); the user
// may browse to another folder; the second Continue accepts the folder shown. While the
// search runs, only Back and Abandon act (both stop it), so ProgramDir and WorkDir always
// name the folder the search or the user settled on.
#pragma once

#include <array>
#include <memory>

#include "pages/wizard/WizardPage.h"
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
    // Back and Abandon stop a running search; their results then close the page.
    void BBackClick();
    void BCancelClick();
    // A folder given in the answers stands where the search's would; without one the
    // first Continue searches, as for a person.
    bool FillFromAnswers(const answers::Answers& given) override;
    void RecordAnswers(answers::Answers& taken) const override;

private:
    // While it lives the search runs: the Program row is disabled and Continue waits.
    class RowWaits {
    public:
        explicit RowWaits(TFindApp& page);
        ~RowWaits();
        RowWaits(const RowWaits&) = delete;
        RowWaits& operator=(const RowWaits&) = delete;

    private:
        TFindApp& page_;
    };

    void ShowSearchResult(const std::string& found);
    void EnableNext();
    std::array<ui::TControl*, 3> ProgramRow() const;

    bool searching_ = false;
};

std::unique_ptr<ui::TForm> MakeFindApp();

}  // namespace pages

// Page 1 of a fresh installation: the program folder and, by the kind of installation,
// the data folder, typed or picked in the folder dialog, checked and created on Continue.
#pragma once

#include <memory>

#include "pages/wizard/WizardPage.h"
#include "ui/Edits.h"
#include "ui/Labels.h"

namespace pages {

class TDirs : public TWizardPage {
public:
    TDirs();

    ui::TActiveLabel* LProgram = nullptr;
    ui::TActiveEdit* RProgram = nullptr;
    ui::TMButton* BProgram = nullptr;
    ui::TActiveLabel* LDate = nullptr;
    ui::TActiveEdit* RDate = nullptr;
    ui::TMButton* BDate = nullptr;
    ui::TMemo* netmemo = nullptr;

    void FormCreate() override;
    void BProgramClick();
    void BDateClick();
    void RDateChange();
    void BNextClick();
    bool FillFromAnswers(const answers::Answers& given) override;
    void RecordAnswers(answers::Answers& taken) const override;
};

std::unique_ptr<ui::TForm> MakeDirs();

}  // namespace pages

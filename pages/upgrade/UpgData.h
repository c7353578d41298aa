// Page 8, the last working page of an upgrade: the product's upgrade library brings the
// database up to date in up to three operations the user chooses, its progress texts in
// the status line. A tick left after the run means that operation succeeded. The page
// ends the upgrade the copy left open (work/dbupgrade/UpgradeEnd.h): Continue keeps the
// data aside, runs the operations and commits, or asks whether to go back when one
// failed; Back and Abandon undo the upgrade.
#pragma once

#include <array>
#include <memory>

#include "work/dbupgrade/DatabaseUpgradeRun.h"
#include "pages/wizard/WizardPage.h"
#include "ui/Labels.h"
#include "ui/Panels.h"
#include "ui/StdControls.h"

namespace pages {

class TUpgData : public TWizardPage {
public:
    TUpgData();

    // Per step: its row (a click on it toggles the box), its box and its tick.
    std::array<ui::TPanel*, work::DatabaseUpgradeSteps.size()> Rows{};
    ui::TCheckBox* Ck1 = nullptr;
    ui::TCheckBox* Ck2 = nullptr;
    ui::TCheckBox* Ck3 = nullptr;
    ui::TLabel* Lk1 = nullptr;
    ui::TLabel* Lk2 = nullptr;
    ui::TLabel* Lk3 = nullptr;
    ui::TLabel* LStatus = nullptr;

    bool QuickVerif = false;

    void FormCreate() override;
    // Alt+Q toggles quick verification, besides every page's keys.
    void FormKeyDown(int& key, ui::TShiftState shift) override;
    void BNextClick();
    bool FillFromAnswers(const answers::Answers& given) override;
    void RecordAnswers(answers::Answers& taken) const override;
    bool WorkSucceeded() const override { return workSucceeded_; }

private:
    ui::TCheckBox* Box(size_t step) const;
    ui::TLabel* Tick(size_t step) const;
    void ShowReport(const std::string& text);
    bool workSucceeded_ = true;
    work::StepChoice ran_{};  // the steps Continue ran, as chosen when each one's turn came
};

std::unique_ptr<ui::TForm> MakeUpgData();

}  // namespace pages

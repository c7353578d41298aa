// Page 3 of a fresh installation, the system configuration page (TConfig): Continue runs
// the three configuration steps one after another, each row turning from waiting (right,
// black, flat) to finished (left, red, raised) when its step returns, then ends with 1.
// When the engine's registry file fails, the work stops there and Continue stays
// disabled; Back and Abandon still leave the page.
#pragma once

#include <array>
#include <memory>

#include "pages/WizardPage.h"
#include "ui/Panels.h"

namespace pages {

class TConfig : public TWizardPage {
public:
    TConfig();

    // The step rows, in the order the steps run.
    ui::TPanel* BBDE = nullptr;
    ui::TPanel* BConfigSys = nullptr;
    ui::TPanel* BGroup = nullptr;

    void FormCreate() override;
    void BNextClick();

private:
    // False when a step stopped the work.
    bool RunSteps();
};

// The looks of a step row.
void ShowWaiting(ui::TPanel& row);
void ShowFinished(ui::TPanel& row);

std::unique_ptr<ui::TForm> MakeConfigPage();

}  // namespace pages

// Page 3 of a fresh installation, the system configuration page (TConfig): Continue runs
// the three configuration steps one after another, each row turning from waiting (right,
// black, flat) to finished (left, red, raised) when its step returns, then ends with 1.
// Only Continue is disabled while the steps run; Back or Abandon pressed meanwhile close
// the page with their own result once the steps are over. A failed step never stops the
// next one; when the engine could not be registered the page stays open afterwards, so
// that Continue can try again once the cause is mended.
#pragma once

#include <array>
#include <memory>

#include "pages/wizard/WizardPage.h"
#include "ui/Panels.h"
#include "work/Reports.h"
#include "work/configure/ConfigOrder.h"

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
    // False after a Continue on which a step failed, also one the page went on past
    // (the program group): the run then ends as a failed configuration.
    bool WorkSucceeded() const override { return workSucceeded_; }

private:
    // False when a step failed that keeps the page open.
    bool RunSteps(const work::ConfigOrder& order, work::Reports& reports);

    bool workSucceeded_ = true;
};

// The looks of a step row.
void ShowWaiting(ui::TPanel& row);
void ShowFinished(ui::TPanel& row);

std::unique_ptr<ui::TForm> MakeConfigPage();

}  // namespace pages

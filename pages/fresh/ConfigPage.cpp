#include "pages/fresh/ConfigPage.h"


#include "core/InstallState.h"
#include "pages/wizard/BoxReports.h"
#include "work/configure/ConfigSteps.h"
#include "work/configure/InstallRecording.h"
#include "ui/Application.h"

namespace pages {

namespace {

constexpr char kPageTitle[] = "Configurare sistem";

const ui::TRect kBackBounds = ui::Bounds(17, 52, 67, 50);
const ui::TRect kNextBounds = ui::Bounds(84, 52, 67, 50);
const ui::TRect kCancelBounds = ui::Bounds(151, 52, 67, 50);
constexpr int kRowLeft = 232, kRowTop = 30, kRowWidth = 390, kRowHeight = 22, kRowGap = 3;

struct StepRow {
    const char* name;
    const char* caption;
    ui::TPanel* TConfig::*row;
    bool (*run)(const work::ConfigOrder& order, work::Reports& reports);  // false: the step failed
    bool holdsThePage;  // its failure keeps the page open; any other is gone past
};

constexpr std::array<StepRow, 3> kStepRows = {{
    {"BBDE", " Configurare BDE", &TConfig::BBDE, work::DoConfigBDE, true},
    {"BConfigSys", " Actualizare CONFIG.SYS", &TConfig::BConfigSys,
     [](const work::ConfigOrder& order, work::Reports&) { work::DoConfigConfigSys(order); return true; }, false},
    {"BGroup", " Creare grup", &TConfig::BGroup, work::DoConfigGroup, false},
}};

}  // namespace

void ShowWaiting(ui::TPanel& row) {
    row.BevelOuter = ui::bvNone;
    row.Font.Color = ui::clBlack;
    row.Alignment = ui::taRightJustify;
}

void ShowFinished(ui::TPanel& row) {
    row.BevelOuter = ui::bvRaised;
    row.Font.Color = ui::clRed;
    row.Alignment = ui::taLeftJustify;
    // Seen before the next step starts, which may keep the thread busy for a while.
    row.Repaint();
    ui::ProcessMessages();
}

TConfig::TConfig() : TWizardPage(core::PageConfig, kPageTitle) {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Back, kBackBounds});
    AddStandardButton({PageButton::Next, kNextBounds});
    AddStandardButton({PageButton::Cancel, kCancelBounds});
    BNext->OnClick = [this] { BNextClick(); };
    int top = kRowTop;
    for (const StepRow& step : kStepRows) {
        auto& row = Add<ui::TPanel>(step.name);
        row.Caption = step.caption;
        row.SetBounds(kRowLeft, top, kRowWidth, kRowHeight);
        this->*step.row = &row;
        top += kRowHeight + kRowGap;
    }
    FormCreate();
}

void TConfig::FormCreate() {
    for (const StepRow& step : kStepRows) ShowWaiting(*(this->*step.row));
    ActiveControl = BNext;
}

bool TConfig::RunSteps(const work::ConfigOrder& order, work::Reports& reports) {
    bool mayGoOn = true;
    workSucceeded_ = true;
    for (const StepRow& step : kStepRows) {
        if (!step.run(order, reports)) {
            workSucceeded_ = false;
            if (step.holdsThePage) mayGoOn = false;
        }
        ShowFinished(*(this->*step.row));
    }
    return mayGoOn;
}

void TConfig::BNextClick() {
    BNext->Enabled = false;
    const work::ConfigOrder order = work::ConfigOrderOf(core::State());
    BoxReports reports;
    const bool mayGoOn = RunSteps(order, reports);
    work::RecordThisRun(order, reports);
    BNext->Enabled = true;
    // Back or Abandon, live while the steps ran, is the user's answer.
    if (ModalResult == ui::mrRetry || ModalResult == ui::mrCancel) return;
    ModalResult = mayGoOn ? ui::mrOk : ui::mrNone;
}

std::unique_ptr<ui::TForm> MakeConfigPage() { return std::make_unique<TConfig>(); }

}  // namespace pages

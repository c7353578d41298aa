#include "pages/upgrade/UpgData.h"

#include "answers/Answers.h"
#include "core/InstallState.h"
#include "core/Log.h"
#include "pages/wizard/BoxReports.h"
#include "pages/wizard/StepRows.h"
#include "work/dbupgrade/UpgradeEnd.h"
#include "ui/Application.h"
#include "ui/Pilot.h"

namespace pages {

namespace {

constexpr char kTitle[] = "Actualizare baza de date";
constexpr char kWaiting[] = "Asteapta...";
// The check mark of the Wingdings symbol font is its character 0xFC.
constexpr char kTickGlyph[] = "\xC3\xBC";
constexpr int kRowTop = 4, kRowPitch = 24, kRowHeight = 22;
constexpr int kAltQ = 'Q';

}  // namespace

TUpgData::TUpgData() : TWizardPage(core::PageDatabaseUpgrade, kTitle, PageClientWidth, 138) {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Back, ui::Bounds(10, 31, 67, 50)});
    AddStandardButton({PageButton::Next, ui::Bounds(79, 31, 67, 50)});
    AddStandardButton({PageButton::Cancel, ui::Bounds(10, 85, 136, 25), ButtonClass::Nice});
    BNext->OnClick = [this] { BNextClick(); };
    // Nothing of the upgrade is committed before its database is: going back or
    // abandoning undoes it.
    BBack->OnClick = BCancel->OnClick = [] {
        BoxReports reports;
        work::AbandonUpgrade(core::State().Upgrade.get(), reports);
    };

    auto& panel = Add<ui::TPanel>("Panel1");
    panel.BevelOuter = ui::bvLowered;
    panel.SetBounds(152, 31, 479, 79);
    ui::TCheckBox** boxes[] = {&Ck1, &Ck2, &Ck3};
    ui::TLabel** ticks[] = {&Lk1, &Lk2, &Lk3};
    for (size_t step = 0; step < work::DatabaseUpgradeSteps.size(); ++step) {
        const std::string number = std::to_string(step + 1);
        const int top = kRowTop + int(step) * kRowPitch;
        ui::TLabel& tick = panel.Add<ui::TLabel>("Lk" + number);
        tick.Caption = kTickGlyph;
        tick.Font = ui::FontSpec{"Wingdings", 20, ui::fsBold, ui::clRed};
        tick.SetBounds(8, top - 2, 24, kRowHeight + 2);
        *ticks[step] = &tick;

        ui::TPanel& row = panel.Add<ui::TPanel>("B" + number);
        row.Caption = std::string(work::DatabaseUpgradeSteps[step].caption);
        row.Font = ui::FontSpec{"MS Sans Serif", 11, ui::fsBold, ui::clBlack};
        row.SetBounds(36, top, 400, kRowHeight);
        row.OnClick = [this, step] { Box(step)->Checked = !Box(step)->Checked; };
        Rows[step] = &row;

        ui::TCheckBox& box = panel.Add<ui::TCheckBox>("Ck" + number);
        box.Font = ui::FontSpec{"MS Sans Serif", 11, ui::fsBold, ui::clRed};
        box.SetBounds(446, top + 3, 17, 17);
        *boxes[step] = &box;
    }

    LStatus = &Add<ui::TLabel>("LStatus");
    LStatus->AutoSize = false;
    LStatus->SetBounds(152, 114, 479, 18);
    LStatus->Caption = kWaiting;
    FormCreate();
}

void TUpgData::FormCreate() {
    for (size_t step = 0; step < Rows.size(); ++step) {
        ShowStepWaiting(*Rows[step]);
        Box(step)->Checked = true;
        Tick(step)->Visible = false;
    }
    LStatus->Visible = false;
    QuickVerif = false;
    ActiveControl = BNext;
}

void TUpgData::FormKeyDown(int& key, ui::TShiftState shift) {
    TWizardPage::FormKeyDown(key, shift);
    if (key != kAltQ || !(shift & ui::ssAlt)) return;
    key = 0;
    QuickVerif = !QuickVerif;
    UpgradeSetQuickVerif(QuickVerif);
    LStatus->Font.Color = QuickVerif ? ui::clRed : ui::clBlack;
}

void TUpgData::BNextClick() {
    ModalResult = ui::mrOk;
    LStatus->Visible = true;
    LStatus->Repaint();
    for (ui::TButtonControl* button : {BBack, BNext, BCancel}) button->Enabled = false;
    work::DatabaseUpgradeView view;
    view.chosen = [this](size_t step) { return Box(step)->Checked.get(); };
    view.report = [this](const std::string& text) { ShowReport(text); };
    view.tick = [this](size_t step, bool shown) { Tick(step)->Visible = shown; };
    view.statusRed = [this] { LStatus->Font.Color = ui::clRed; };
    view.finished = [this](size_t step) { ShowStepFinished(*Rows[step]); };
    const core::InstallState& state = core::State();
    const work::DatabaseUpgradeOrder order{state.Upgrade.get(),
                                           state.DatabaseDir.empty() ? state.DataDir : state.DatabaseDir};
    BoxReports reports;
    // The boxes stay open to the user while the steps run: what counts is each box as it
    // was when its step's turn came.
    const work::UpgradeOutcome outcome = work::UpgradeDatabase(order, view, reports);
    LStatus->Visible = false;
    LStatus->Repaint();
    if (outcome.end == work::UpgradeEnd::NotStarted) {
        // Told already, and nothing changed: Continue tries again, Back and Abandon undo.
        ModalResult = ui::mrNone;
        for (ui::TButtonControl* button : {BBack, BNext, BCancel}) button->Enabled = true;
        return;
    }
    ran_ = outcome.steps.ran;
    workSucceeded_ = outcome.steps.AllSucceeded();
    core::State().UpgradeUndone = outcome.end == work::UpgradeEnd::WentBack;
}

void TUpgData::ShowReport(const std::string& text) {
    core::LogNote(text);
    LStatus->Caption = text;
    LStatus->Repaint();
    ui::ProcessMessages();
}

bool TUpgData::FillFromAnswers(const answers::Answers& given) {
    const std::array<std::optional<bool>, 3> wanted = {given.upgradeStructures, given.upgradeLists,
                                                       given.upgradeConstants};
    for (size_t step = 0; step < wanted.size(); ++step)
        if (Box(step)->Checked != wanted[step].value_or(true) && !ui::PressAsPerson(*Box(step))) return false;
    return true;
}

void TUpgData::RecordAnswers(answers::Answers& taken) const {
    taken.upgradeStructures = ran_[0];
    taken.upgradeLists = ran_[1];
    taken.upgradeConstants = ran_[2];
}

ui::TCheckBox* TUpgData::Box(size_t step) const { return std::array{Ck1, Ck2, Ck3}[step]; }
ui::TLabel* TUpgData::Tick(size_t step) const { return std::array{Lk1, Lk2, Lk3}[step]; }

std::unique_ptr<ui::TForm> MakeUpgData() { return std::make_unique<TUpgData>(); }

}  // namespace pages

#include "pages/uninstall/UninstallPage.h"

#include <array>

#include "pages/wizard/StepRows.h"
#include "ui/MessageBox.h"

namespace pages {

namespace {

constexpr int kUninstallPageNo = core::PageAfterUpgrade;  // a number no wizard page stands at
constexpr int kClientHeight = 330;
const ui::TRect kNextBounds = ui::Bounds(17, 52, 67, 50);
const ui::TRect kCancelBounds = ui::Bounds(84, 52, 67, 50);
constexpr int kRowLeft = 232, kRowTop = 30, kRowWidth = 390, kRowHeight = 22, kRowGap = 3;
constexpr ui::TColor kMessageBackground = 14671839;
constexpr char kQuestion[] = "Sterg WinTORVEX de pe acest calculator?\rDatele firmei nu se sterg.";
constexpr char kQuestionTitle[] = "Confirmare";

struct UninstallStep {
    const char* name;
    const char* caption;
    void (work::UninstallWork::*run)();
};
constexpr std::array<UninstallStep, 6> kSteps = {{
    {"BFiles", " Stergere fisiere program", &work::UninstallWork::RemoveProgramFiles},
    {"BGroup", " Stergere grup", &work::UninstallWork::RemoveGroup},
    {"BAliases", " Stergere aliasuri BDE", &work::UninstallWork::RemoveAliases},
    {"BProfile", " Actualizare WIN.INI", &work::UninstallWork::RestoreProfile},
    {"BEngine", " Motor BDE", &work::UninstallWork::TakeBackEngine},
    {"BSystem", " Stergere din lista programelor", &work::UninstallWork::RemoveFromSystem},
}};

std::vector<std::string> IntroLines(const work::UninstallOutcome& outcome) {
    std::vector<std::string> lines = {"Apasati 'Continua' pentru a sterge WinTORVEX", "de pe acest calculator."};
    if (!outcome.data.empty()) lines.emplace_back("Datele firmei raman neatinse.");
    return lines;
}

}  // namespace

TUninstall::TUninstall(work::UninstallWork& work)
    : TWizardPage("TUninstall", kUninstallPageNo, kUninstallTitle, PageClientWidth, kClientHeight), work_(work) {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Next, kNextBounds});
    AddStandardButton({PageButton::Cancel, kCancelBounds});
    BNext->OnClick = [this] { BNextClick(); };

    auto& exit = Add<ui::TMButton>("BExit");
    exit.Kind = ui::mkClose;
    exit.Caption = "I&esire";
    exit.ModalResult = ui::mrOk;
    exit.ButtonLayout = ui::blGlyphTop;
    exit.SetBounds(kNextBounds.Left, kNextBounds.Top, kNextBounds.Width(), kNextBounds.Height());
    exit.Visible = false;
    BExit = &exit;

    int top = kRowTop;
    for (const UninstallStep& step : kSteps) {
        auto& row = Add<ui::TPanel>(step.name);
        row.Caption = step.caption;
        row.SetBounds(kRowLeft, top, kRowWidth, kRowHeight);
        rows_.push_back(&row);
        top += kRowHeight + kRowGap;
    }
    Memo1 = &Add<ui::TMemo>("Memo1");
    Memo1->SetBounds(17, top + 8, PageClientWidth - 34, kClientHeight - top - 16);
    Memo1->Color = kMessageBackground;
    Memo1->ReadOnly = true;
    Memo1->TabStop = false;
    FormCreate();
}

void TUninstall::FormCreate() {
    for (ui::TPanel* row : rows_) ShowStepWaiting(*row);
    Memo1->Lines = IntroLines(work_.Outcome());
    ActiveControl = BNext;
}

void TUninstall::BNextClick() {
    // The page stays: what was done is read on it, and "I&esire" ends.
    ModalResult = ui::mrNone;
    ui::MessagePurposeScope purpose(ui::MessagePurpose::Question);
    if (ui::ShowMessageBox(kQuestion, kQuestionTitle, ui::mtConfirmation, ui::taCenter,
                           ui::Buttons({ui::mbYes, ui::mbNo}), ui::mbNo, 0) != ui::mrYes)
        return;
    {
        auto working = Working();
        for (size_t i = 0; i < kSteps.size(); ++i) {
            (work_.*kSteps[i].run)();
            ShowStepFinished(*rows_[i]);
        }
    }
    done_ = true;
    Memo1->Lines = work::OutcomeLines(work_.Outcome());
    BNext->Visible = false;
    BCancel->Visible = false;
    BExit->Visible = true;
    ActiveControl = BExit;
}

}  // namespace pages

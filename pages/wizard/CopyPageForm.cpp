#include "pages/wizard/CopyPageForm.h"

#include "core/InstallState.h"
#include "pages/wizard/BoxReports.h"


namespace pages {

namespace {

constexpr char kPageTitle[] = "Copiere fisiere Torvex";
constexpr char kStartPrompt[] = "Apasa 'Continua' pentru a incepe instalarea.....";
constexpr char kCopyGaugeCaption[] = "Copiere:";
constexpr char kUnzipGaugeCaption[] = "Decompresie:";
// The status line after a pass that failed, and after an upgrade copy that was undone.
constexpr char kRetryPrompt[] = "Copierea nu a reusit. Apasa 'Continua' pentru a incerca din nou.";
constexpr char kRolledBackPrompt[] =
    "Copierea nu a reusit; instalarea a ramas cum era. Apasa 'Continua' pentru a incerca din nou.";

// Where the page's parts go, in client pixels.
const ui::TRect kBackBounds = ui::Bounds(17, 52, 67, 50);
const ui::TRect kNextBounds = ui::Bounds(84, 52, 67, 50);
const ui::TRect kCancelBounds = ui::Bounds(151, 52, 67, 50);
const ui::TRect kStatusBounds = ui::Bounds(232, 30, 390, 16);
const ui::TRect kPanelBounds = ui::Bounds(232, 52, 390, 50);
constexpr int kGaugeCaptionWidth = 90;
constexpr int kRowHeight = 18;
constexpr int kPanelMargin = 6;

ui::TGauge& AddGaugeRow(ui::TPanel& panel, int row, const char* name, const char* caption) {
    const int top = kPanelMargin + row * (kRowHeight + 2);
    auto& label = panel.Add<ui::TLabel>(std::string("L") + name);
    label.Caption = caption;
    label.SetBounds(kPanelMargin, top + 2, kGaugeCaptionWidth, kRowHeight - 2);
    auto& gauge = panel.Add<ui::TGauge>(name);
    gauge.SetBounds(kPanelMargin + kGaugeCaptionWidth, top,
                    kPanelBounds.Width() - 2 * kPanelMargin - kGaugeCaptionWidth, kRowHeight - 2);
    return gauge;
}

void Place(ui::TControl& control, const ui::TRect& bounds) {
    control.SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

}  // namespace

TCopyPageForm::TCopyPageForm(int pageNo) : TWizardPage(pageNo, kPageTitle) {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Back, kBackBounds});
    AddStandardButton({PageButton::Next, kNextBounds});
    AddStandardButton({PageButton::Cancel, kCancelBounds});
    BNext->OnClick = [this] { BNextClick(); };

    LGroupName = &Add<ui::TLabel>("LGroupName");
    LGroupName->AutoSize = false;
    LGroupName->Alignment = ui::taCenter;
    LGroupName->Font.Color = ui::clRed;
    Place(*LGroupName, kStatusBounds);

    GaugePanel = &Add<ui::TPanel>("GaugePanel");
    GaugePanel->BevelOuter = ui::bvLowered;
    Place(*GaugePanel, kPanelBounds);
    CopyProgress = &AddGaugeRow(*GaugePanel, 0, "CopyProgress", kCopyGaugeCaption);
    UnzipProgress = &AddGaugeRow(*GaugePanel, 1, "UnzipProgress", kUnzipGaugeCaption);
    FormCreate();
}

void TCopyPageForm::FormCreate() {
    LGroupName->Caption = kStartPrompt;
    ActiveControl = BNext;
}

work::CopyView TCopyPageForm::View() {
    work::CopyView view;
    view.showStatus = [this](const std::string& text) {
        LGroupName->Caption = text;
        LGroupName->Repaint();
    };
    view.showCopyProgress = [this](int disk, int diskCount) {
        CopyProgress->MaxValue = diskCount;
        CopyProgress->Progress = disk;
    };
    view.showUnzipProgress = [this](int percent) { UnzipProgress->Progress = percent; };
    return view;
}

work::CopyOrder TCopyPageForm::OrderOfThisRun(const std::array<product::ComponentSet, 4>& selections) {
    const core::InstallState& state = core::State();
    work::CopyOrder order;
    order.source = {state.SourceDir, state.DiskCount};
    order.folders = {state.WorkDir, state.ProgramDir, state.DataDir};
    order.selection = selections[state.InstallType];
    order.oldEngine = state.OldEngineFlag;
    return order;
}

void TCopyPageForm::BNextClick() {
    auto working = Working();
    BoxReports reports;
    work::CopyWork work(Order(), View(), reports);
    const work::CopyOutcome outcome = work.Run();
    core::State().OldEngineFlag = work.OldEngine();
    switch (outcome) {
        case work::CopyOutcome::Done:
            ModalResult = ui::mrOk;
            break;
        case work::CopyOutcome::DiskRefused:
            ModalResult = ui::mrCancel;
            break;
        case work::CopyOutcome::Failed:
            // Reported already; Continue tries again, Abandon ends.
            ModalResult = ui::mrNone;
            LGroupName->Caption = work.RolledBack() ? kRolledBackPrompt : kRetryPrompt;
            break;
    }
}

}  // namespace pages

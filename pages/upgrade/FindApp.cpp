#include "pages/upgrade/FindApp.h"

#include <cctype>

#include "answers/Answers.h"
#include "core/InstallState.h"
#include "pages/wizard/DirDialog.h"
#include "pages/wizard/FolderRow.h"
#include "work/locate/InstallationKind.h"
#include "work/locate/ProgramSearch.h"
#include "platform/Paths.h"
#include "ui/Application.h"
#include "ui/Panels.h"
#include "ui/TitleBar.h"
#include "upgrade/UpgradeLibrary.h"

namespace pages {

namespace {

constexpr char kProductAlias[] = "TORVEX";
constexpr char kNotFoundFolder[] = "????";
constexpr char kTitleBeforeSearch[] = "Apasati 'Continua' pentru a localiza aplicatia!";
constexpr char kTitleAfterSearch[] = "Confirmati corectitudinea directorului program";
constexpr char kNotFound[] = "Nu am gasit directorul program!!!";
constexpr char kNoProductThere[] = "Nu gasesc instalare de TORVEX...";
constexpr char kClientData[] = "Am detectat o instalare client";

constexpr int kEditWidth = 380;

}  // namespace

TFindApp::TFindApp() : TWizardPage(core::PageFirstUpgrade, kTitleBeforeSearch) {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Back, ui::Bounds(10, 31, 67, 50), ButtonClass::Push, ui::mknPrev});
    // Continue carries no result: its handler decides between searching and accepting.
    AddStandardButton({PageButton::Next, ui::Bounds(79, 31, 67, 50), ButtonClass::Push, ui::mknNext, {}, ui::mrNone});
    AddStandardButton({PageButton::Cancel, ui::Bounds(10, 85, 136, 25), ButtonClass::Nice});
    BNext->OnClick = [this] { BNextClick(); };
    BBack->OnClick = [this] { BBackClick(); };
    BCancel->OnClick = [this] { BCancelClick(); };

    auto& panel = Add<ui::TPanel>("Panel1");
    panel.BevelOuter = ui::bvLowered;
    panel.SetBounds(152, 31, 479, 79);
    const FolderRow program = AddFolderRow(panel, "Program", "&Program:", 6, kEditWidth);
    LProgram = program.label;
    RProgram = program.edit;
    BProgram = program.browse;
    BProgram->OnClick = LProgram->OnClick = [this] { BProgramClick(); };
    const FolderRow data = AddFolderRow(panel, "Date", "&Date:", 32, kEditWidth);
    LDate = data.label;
    RDate = data.edit;
    BDate = data.browse;
    RDate->Enabled = false;
    BDate->Enabled = false;

    dirlabel = &panel.Add<ui::TLabel>("dirlabel");
    dirlabel->AutoSize = false;
    dirlabel->SetBounds(8, 58, 459, 16);
    dirlabel->Font.Color = ui::clRed;
    FormCreate();
}

void TFindApp::FormCreate() {
    core::InstallState& state = core::State();
    state.DatabaseDir = UpgradeGetAliasPath(kProductAlias);
    state.WorkDataDir = work::DataFolderOfAlias(state.DatabaseDir);
    state.InstallType = work::KindOfInstallation(state.WorkDataDir);
    Searched = StopSearch = FolderValid = false;
    ActiveControl = RProgram;
}

void TFindApp::BNextClick() {
    if (searching_) return;
    if (!Searched) {
        SearchProgramFolder();
        return;
    }
    core::InstallState& state = core::State();
    state.WorkDir = RProgram->Text;  // a folder typed by hand is taken as it stands
    state.ProgramDir = state.WorkDir;
    state.DataDir = work::DataFolderOrProgramFolder(state.WorkDataDir, state.WorkDir);
    ModalResult = ui::mrOk;
}

void TFindApp::SearchProgramFolder() {
    if (Searched) return;
    Searched = true;
    std::string found;
    {
        // Continue and the Program row wait while the drives are searched, so that no
        // folder is accepted before the search has named one; Back and Abandon stay live
        // to stop it.
        auto working = Working();
        BBack->Enabled = true;
        BCancel->Enabled = true;
        RowWaits row(*this);
        work::DriveSearch search;
        search.visiting = [this](const std::string& status) {
            dirlabel->Caption = status;
            ui::ProcessMessages();
            return StopSearch;
        };
        StopSearch = false;
        found = work::FindProgramFolder(search);
        if (StopSearch) found.clear();
        dirlabel->Caption = "";
    }
    ShowSearchResult(found);
}

void TFindApp::ShowSearchResult(const std::string& found) {
    core::InstallState& state = core::State();
    if (found.empty()) {
        state.WorkDir = kNotFoundFolder;
        dirlabel->Caption = kNotFound;
    } else {
        state.WorkDir = found;
    }
    RProgram->Text = state.WorkDir;
    if (state.InstallType == core::InstallLocal)
        RDate->Text = found.empty() ? state.WorkDataDir : work::DataFolderOrProgramFolder(state.WorkDataDir, found);
    else
        RDate->Text = kClientData;
    FolderValid = !found.empty();
    EnableNext();
    TitleBar1()->Caption = kTitleAfterSearch;
}

void TFindApp::BProgramClick() {
    if (searching_) return;
    TDirDialog dialog;
    const std::string start = RProgram->Text;
    if (start != kNotFoundFolder && !start.empty()) {
        if (start.size() >= 2 && start[1] == ':')
            dialog.DriveComboBox1->Drive = static_cast<char>(std::tolower(static_cast<unsigned char>(start[0])));
        dialog.dirs->Directory = plat::ExcludeTrailingBackslash(start);
    }
    if (dialog.ShowModal() == ui::mrOk) {
        RProgram->Text = PickedFolder(dialog.Directory());
        FolderValid = work::IsProgramFolder(RProgram->Text);
        dirlabel->Caption = FolderValid ? "" : kNoProductThere;
    }
    EnableNext();
}

bool TFindApp::FillFromAnswers(const answers::Answers& given) {
    if (!given.upgradeProgramDir) return true;
    Searched = true;
    ShowSearchResult(work::IsProgramFolder(*given.upgradeProgramDir) ? *given.upgradeProgramDir : std::string());
    return true;
}

void TFindApp::RecordAnswers(answers::Answers& taken) const { taken.upgradeProgramDir = RProgram->Text; }

void TFindApp::BBackClick() { StopSearch = true; }

void TFindApp::BCancelClick() { StopSearch = true; }

// Before the search Continue stays live, whatever was browsed: it starts the search.
void TFindApp::EnableNext() {
    if (!searching_) BNext->Enabled = FolderValid || !Searched;
}

TFindApp::RowWaits::RowWaits(TFindApp& page) : page_(page) {
    page_.searching_ = true;
    for (ui::TControl* control : page_.ProgramRow()) control->Enabled = false;
}

TFindApp::RowWaits::~RowWaits() {
    for (ui::TControl* control : page_.ProgramRow()) control->Enabled = true;
    page_.searching_ = false;
}

std::array<ui::TControl*, 3> TFindApp::ProgramRow() const { return {LProgram, RProgram, BProgram}; }

std::unique_ptr<ui::TForm> MakeFindApp() { return std::make_unique<TFindApp>(); }

}  // namespace pages

#include "pages/fresh/Dirs.h"

#include "answers/Answers.h"
#include "core/InstallState.h"
#include "pages/wizard/DirDialog.h"
#include "work/locate/FolderChoice.h"
#include "pages/wizard/FolderRow.h"
#include "ui/MessageBox.h"
#include "ui/Panels.h"
#include "ui/Pilot.h"

namespace pages {

namespace {

constexpr int kEditWidth = 168;

const std::vector<std::string>& ClientNote() {
    static const std::vector<std::string> lines = {
        "Ati selectat o instalare de tip client. ",
        "Introduceti in campul \"Date\" calea pana la baza ",
        "de date server. Daca este necesar, folositi \"Map ",
        "network drive\" din File Manager / Explorer",
    };
    return lines;
}

constexpr char kErrorTitle[] = "Eroare!";
constexpr char kClientDataMissing[] = "La instalarea client baza de date trebuie sa existe!";
// The folder, then the letters, between these three parts.
constexpr char kOutsideCodePageFolder[] = "Directorul\r";
constexpr char kOutsideCodePageLetters[] =
    "\rcontine litere pe care baza de date nu le poate folosi pe acest calculator: ";
constexpr char kOutsideCodePageAdvice[] = "\rAlegeti un director fara aceste litere!";
constexpr char kLetterSeparator[] = ", ";

void ShowFolderError(const std::string& text) {
    ui::ShowMessageBox(text, kErrorTitle, ui::mtError, ui::taCenter, ui::Buttons({ui::mbCancel}), ui::mbCancel, 0);
}

void ShowFolderOutsideCodePage(const work::FolderOutsideCodePage& outside) {
    std::string letters;
    for (const std::string& letter : outside.letters)
        letters += (letters.empty() ? "" : kLetterSeparator) + letter;
    ShowFolderError(kOutsideCodePageFolder + outside.folder + kOutsideCodePageLetters + letters +
                    kOutsideCodePageAdvice);
}

}  // namespace

TDirs::TDirs() : TWizardPage(core::PageFolders, "Alegeti directoarele destinatie!") {
    AddStandardButton({PageButton::Back, ui::Bounds(9, 31, 67, 50)});
    AddStandardButton({PageButton::Next, ui::Bounds(78, 31, 67, 50)});
    AddStandardButton({PageButton::Cancel, ui::Bounds(9, 84, 136, 26), ButtonClass::Nice});
    BNext->OnClick = [this] { BNextClick(); };

    auto& panel = Add<ui::TPanel>("Panel1");
    panel.BevelOuter = ui::bvLowered;
    panel.SetBounds(152, 31, 479, 79);
    FolderRow program = AddFolderRow(panel, "Program", "&Program:", 8, kEditWidth);
    LProgram = program.label;
    RProgram = program.edit;
    BProgram = program.browse;
    BProgram->OnClick = LProgram->OnClick = [this] { BProgramClick(); };
    FolderRow data = AddFolderRow(panel, "Date", "&Date:", 42, kEditWidth);
    LDate = data.label;
    RDate = data.edit;
    BDate = data.browse;
    BDate->OnClick = LDate->OnClick = [this] { BDateClick(); };
    RDate->OnChange = [this] { RDateChange(); };

    netmemo = &panel.Add<ui::TMemo>("netmemo");
    netmemo->SetBounds(262, 4, 213, 71);
    netmemo->ReadOnly = true;
    netmemo->BorderSingle = false;
    netmemo->VerticalScrollBar = true;
    netmemo->TabStop = false;
    netmemo->Lines = ClientNote();
    FormCreate();
}

void TDirs::FormCreate() {
    const core::InstallState& state = core::State();
    const work::DirsLayout layout = work::DirsLayoutFor(state.InstallType);
    RProgram->Text = state.WorkDir;
    RDate->Text = layout.dataFromState ? state.WorkDataDir : std::string();
    for (ui::TControl* control : {static_cast<ui::TControl*>(LDate), static_cast<ui::TControl*>(RDate),
                                  static_cast<ui::TControl*>(BDate)})
        control->Visible = layout.dataRowVisible;
    netmemo->Visible = layout.memoVisible;
    BNext->Enabled = layout.nextEnabled;
    ActiveControl = RProgram;
}

void TDirs::BProgramClick() {
    if (auto folder = PickFolder()) RProgram->Text = *folder;
}

void TDirs::BDateClick() {
    if (auto folder = PickFolder()) RDate->Text = *folder;
}

void TDirs::RDateChange() { BNext->Enabled = true; }

void TDirs::BNextClick() {
    const int kind = core::State().InstallType;
    const work::FolderCheck check = work::AcceptFolders(core::State(), kind, RProgram->Text, RDate->Text);
    if (check == work::FolderCheck::ClientDataMissing) ShowFolderError(kClientDataMissing);
    if (check == work::FolderCheck::OutsideCodePage)
        ShowFolderOutsideCodePage(*work::FindFolderOutsideCodePage(kind, RProgram->Text, RDate->Text));
    if (check != work::FolderCheck::Passed) ModalResult = ui::mrNone;
}

bool TDirs::FillFromAnswers(const answers::Answers& given) {
    if (!ui::TypeAsPerson(*RProgram, given.programDir.value_or(""))) return false;
    return !RDate->Visible || ui::TypeAsPerson(*RDate, given.dataDir.value_or(""));
}

void TDirs::RecordAnswers(answers::Answers& taken) const {
    taken.programDir = RProgram->Text;
    if (RDate->Visible) taken.dataDir = RDate->Text;
}

std::unique_ptr<ui::TForm> MakeDirs() { return std::make_unique<TDirs>(); }

}  // namespace pages

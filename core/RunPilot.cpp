#include "core/RunPilot.h"

#include "answers/ExitCodes.h"
#include "core/AnswerablePage.h"
#include "core/InstallState.h"
#include "core/Log.h"
#include "core/Wizard.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/ModalResult.h"

namespace core {

namespace {

// A page that stays open after Continue without a failure is pressed once more (the
// locate page searches on the first press and accepts on the second); no more.
constexpr int kPressesPerPage = 2;

struct SlotResult {
    ui::TMsgDlgBtn slot;
    uint16_t result;
};
// The buttons a box is answered with, best first: to go on, and to stop.
constexpr SlotResult kGoOn[] = {{ui::mbOK, ui::mrOk}, {ui::mbYes, ui::mrYes}, {ui::mbIgnore, ui::mrIgnore},
                                {ui::mbRetry, ui::mrRetry}, {ui::mbCancel, ui::mrCancel}};
constexpr SlotResult kStop[] = {{ui::mbCancel, ui::mrCancel}, {ui::mbAbort, ui::mrAbort}, {ui::mbNo, ui::mrNo},
                                {ui::mbOK, ui::mrOk}};

template <size_t N>
uint16_t FirstOf(ui::TMsgDlgButtons buttons, const SlotResult (&choices)[N]) {
    for (const SlotResult& choice : choices)
        if (ui::HasButton(buttons, choice.slot)) return choice.result;
    return ui::mrCancel;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

RunPilot::RunPilot(const answers::RunSwitches& switches, const answers::Answers& given)
    : switches_(switches), given_(given) {}

void RunPilot::FailOnPageShowing() {
    if (const PageTableEntry* page = PageShowing()) Fail(page->failure);
}

void RunPilot::Fail(answers::Outcome outcome) {
    if (!failure_) failure_ = outcome;
}

answers::Outcome RunPilot::Outcome() const {
    if (failure_) return *failure_;
    if (!reachedEnd_) return answers::Outcome::Abandoned;
    return failedGoingOn_.value_or(answers::Outcome::Installed);
}

bool RunPilot::AnswersLackingFor(int pageNo) {
    std::optional<answers::AnswersProblem> missing;
    if (pageNo == PageInstallType) missing = answers::MissingForInstallation(given_, switches_.autoFile);
    if (pageNo == PageFirstUpgrade)
        missing = answers::MissingForUpgrade(given_, State().InstallType == InstallClient, switches_.autoFile);
    if (!missing) return false;
    LogNote(missing->Describe());
    Fail(answers::Outcome::AnswersWrong);
    return true;
}

void RunPilot::FormShown(ui::TForm& form) {
    auto* page = dynamic_cast<AnswerablePage*>(&form);
    if (!page) {
        // Only pages are driven; any other form (a folder dialog) is closed as refused.
        LogNote("Fereastra " + form.ClassName() + " inchisa: instalare fara intrebari");
        form.ModalResult = ui::mrCancel;
        return;
    }
    Drive(form, *page);
}

void RunPilot::Drive(ui::TForm& form, AnswerablePage& page) {
    const int pageNo = State().PageNo;
    LogNote("Pagina " + form.ClassName() + ": raspunsuri din " + switches_.autoFile);
    if (AnswersLackingFor(pageNo)) return Abandon(form, page);
    if (!page.FillFromAnswers(given_)) {
        LogNote("Pagina " + form.ClassName() + ": raspunsurile nu se pot da in campurile paginii");
        Fail(answers::Outcome::AnswersWrong);
        return Abandon(form, page);
    }
    for (int press = 0; press < kPressesPerPage && !failure_; ++press) {
        ui::TButtonControl* forward = page.ForwardButton();
        if (!forward || !ui::PressAsPerson(*forward)) {
            LogNote("Pagina " + form.ClassName() + ": butonul de continuare nu se poate apasa");
            FailOnPageShowing();
            break;
        }
        if (form.ModalResult != ui::mrNone) return;
    }
    FailOnPageShowing();
    Abandon(form, page);
}

void RunPilot::Abandon(ui::TForm& form, AnswerablePage& page) {
    ui::TButtonControl* abandon = page.AbandonButton();
    if (abandon && ui::PressAsPerson(*abandon) && form.ModalResult != ui::mrNone) return;
    form.ModalResult = ui::mrCancel;
}

void RunPilot::FormEnded(ui::TForm& form, int modalResult) {
    auto* page = dynamic_cast<AnswerablePage*>(&form);
    if (!page || modalResult != ui::mrOk) return;
    page->RecordAnswers(taken_);
    const PageTableEntry* showing = PageShowing();
    if (!page->WorkSucceeded() && !failedGoingOn_ && showing) failedGoingOn_ = showing->failure;
    // A person who got past a failure (Continue tried again and it worked) has not failed.
    if (!switches_.Unattended()) failure_.reset();
    if (State().PageNo == PageEndScreen) reachedEnd_ = true;
}

std::optional<uint16_t> RunPilot::AnswerMessage(const ui::MessageRequest& request) {
    if (!switches_.Unattended()) return std::nullopt;
    LogNote("Caseta \"" + OneLine(request.title) + "\": " + OneLine(request.text));
    switch (request.purpose) {
        case ui::MessagePurpose::Report:
            return FirstOf(request.buttons, kGoOn);
        case ui::MessagePurpose::Question: {
            const bool yes = given_.upgradeServerDatabase.value_or(false);
            taken_.upgradeServerDatabase = yes;
            return yes ? ui::mrYes : ui::mrNo;
        }
        case ui::MessagePurpose::MediaRequest:
            Fail(answers::Outcome::NeedsDisks);
            return FirstOf(request.buttons, kStop);
        case ui::MessagePurpose::Failure:
            FailOnPageShowing();
            return FirstOf(request.buttons, kStop);
        case ui::MessagePurpose::Decision:
            // Nobody to weigh it: the safe answer, and the run has failed all the same.
            FailOnPageShowing();
            return FirstOf(request.buttons, kGoOn);
    }
    return FirstOf(request.buttons, kStop);
}

void RunPilot::MessageClosed(const ui::MessageRequest& request, uint16_t result) {
    if (request.purpose == ui::MessagePurpose::Question) taken_.upgradeServerDatabase = result != ui::mrNo;
    if (request.purpose == ui::MessagePurpose::Failure) FailOnPageShowing();
}

bool RunPilot::WizardEnded() {
    if (switches_.recordFile.empty() || !reachedEnd_) return true;
    if (answers::WriteAnswersFile(switches_.recordFile, taken_)) {
        LogNote("Raspunsurile au fost scrise in " + switches_.recordFile);
        return true;
    }
    return false;
}

}  // namespace core

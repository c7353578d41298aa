// The run's pilot: it watches the pages and boxes of a run for the run's exit code, keeps
// what the person answered when the run is recorded (-record), and in an unattended run
// (-auto) answers for the person: each page is filled from the answers file and its
// Continue pressed, through the same controls and handlers as a person's clicks; every
// box is answered or ends the run:
//  - a failure box ends it with the outcome of the page that is up (a box shown between
//    pages or outside the wizard is told by its caller, who sets the outcome itself);
//  - a report is noted in the run log and not waited for;
//  - a disk request ends it with ExitNeedsDisks;
//  - a decision after a failure takes its first, safe, answer and ends the run with the
//    outcome of the page that is up;
//  - the server question is answered from the file.
// A run that must end presses the page's Abandon, as a person would.
#pragma once

#include <optional>
#include <string>

#include "answers/Answers.h"
#include "answers/RunSwitches.h"
#include "core/Wizard.h"
#include "ui/Pilot.h"

namespace core {

class AnswerablePage;

class RunPilot : public ui::Pilot {
public:
    // `given`: the answers of an unattended run (read already).
    RunPilot(const answers::RunSwitches& switches, const answers::Answers& given);

    bool DrivesForms() const override { return switches_.Unattended(); }
    void FormShown(ui::TForm& form) override;
    void FormEnded(ui::TForm& form, int modalResult) override;
    std::optional<uint16_t> AnswerMessage(const ui::MessageRequest& request) override;
    void MessageClosed(const ui::MessageRequest& request, uint16_t result) override;

    // The run cannot go on for a reason of its own: this outcome, unless one came first.
    void Fail(answers::Outcome outcome);
    // How the run went so far; after the wizard, its outcome.
    answers::Outcome Outcome() const;
    // The wizard ended. A recorded run that reached the end writes its answers now;
    // false when they could not be written.
    bool WizardEnded();

    const answers::Answers& Taken() const { return taken_; }

private:
    // A failure of the page that is up; nothing outside a page.
    void FailOnPageShowing();
    bool AnswersLackingFor(int pageNo);
    void Drive(ui::TForm& form, AnswerablePage& page);
    void Abandon(ui::TForm& form, AnswerablePage& page);

    answers::RunSwitches switches_;
    answers::Answers given_;
    answers::Answers taken_;
    std::optional<answers::Outcome> failure_;        // the failure that ends the run
    std::optional<answers::Outcome> failedGoingOn_;  // a failure the run went on past
    bool reachedEnd_ = false;
};

}  // namespace core

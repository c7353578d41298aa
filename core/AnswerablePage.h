// What a wizard page offers to a run that nobody sits at, and to one being recorded: it
// fills its own fields from the answers as a person would type or click them, says what
// it took from the person, and names the buttons that go on and that abandon.
#pragma once

namespace answers {
struct Answers;
}
namespace ui {
class TButtonControl;
}

namespace core {

class AnswerablePage {
public:
    virtual ~AnswerablePage() = default;
    // False when a field could not be filled (hidden or disabled where it is needed).
    virtual bool FillFromAnswers(const answers::Answers&) { return true; }
    // Called once the page ended with Continue: the keys it took from the person.
    virtual void RecordAnswers(answers::Answers&) const {}
    // After Continue: false when the page's work went wrong and the page went on anyway
    // (a database step the upgrade library could not do).
    virtual bool WorkSucceeded() const { return true; }
    virtual ui::TButtonControl* ForwardButton() const = 0;
    virtual ui::TButtonControl* AbandonButton() const = 0;
};

}  // namespace core

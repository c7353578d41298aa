// The scripted user of the headless backend. A test queues, in the order they will
// happen, what the user does each time a form is shown modally; every message box shown
// is recorded. A modal form with no step left, or a step meant for another form, fails
// loudly with ScriptError (and every later modal showing fails too), so a test never hangs.
//
//   ui::headless::Script script;
//   script.OnForm<TIType>([](TIType& page) { ui::headless::Click(page, "&Continua"); });
//   script.AnswerMessage("&Renunt");
//   ... run the code under test ...
//   EXPECT_TRUE(script.Ok()) << script.Error();
//   EXPECT_EQ(script.Messages()[0].title, "Program incomplet!");
#pragma once

#include <functional>
#include <stdexcept>
#include <typeinfo>
#include <string>
#include <vector>

#include "ui/MessageBox.h"
#include "ui/Types.h"

namespace ui {
class TForm;
class TMessageForm;
class TControl;
}  // namespace ui

namespace ui::headless {

struct ScriptError : std::logic_error {
    using std::logic_error::logic_error;
};

// A message box as the user saw it.
struct ShownMessage {
    std::string text;   // as shown, heading applied
    std::string title;
    TMsgDlgType kind = mtCustom;
    TMsgDlgButtons buttons = 0;
    int defaultButton = -1;             // slot, -1 when none
    std::vector<std::string> captions;  // the buttons left to right
    int result = mrNone;                // how it closed
};

class Script {
public:
    // Becomes the current script until destroyed (scripts nest: the previous one returns).
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // When a message box appears: press the button with this caption ("&Renunt" or "Renunt").
    Script& AnswerMessage(const std::string& buttonCaption);
    // When a message box appears: close it with this result, whatever its buttons.
    Script& CloseMessage(int result);
    // When a message box appears: do this with it.
    Script& OnMessage(std::function<void(TMessageForm&)> action);

    // When a form whose class name, Name or Caption is `which` is shown modally: act on it.
    // If the form is still open afterwards the next step must be for it too.
    Script& OnForm(const std::string& which, std::function<void(TForm&)> action);
    // The same, matching by C++ type.
    template <class F>
    Script& OnForm(std::function<void(F&)> action) {
        return AddStep(
            typeid(F).name(), [](TForm& form) { return dynamic_cast<F*>(&form) != nullptr; },
            [action](TForm& form) { action(dynamic_cast<F&>(form)); });
    }
    // When that form is shown: end it with this result at once.
    Script& EndForm(const std::string& which, int result);

    // While the program works inside a handler and lets pending messages run: do this
    // the next time it does, as a click that was waiting. One action per time, in order.
    Script& WhileWorking(std::function<void()> action);
    // The same, each time the program lets messages run, until the action answers true
    // (a user who waits for something to be shown); later actions wait for it.
    Script& WhileWorkingUntil(std::function<bool()> action);

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // Class names of the forms shown modally, in order (message boxes included).
    const std::vector<std::string>& FormsShown() const { return formsShown_; }
    size_t PendingSteps() const { return steps_.size() - next_ + whileWorking_.size() - nextWhileWorking_; }
    // No failure so far and every step used.
    bool Ok() const { return error_.empty() && PendingSteps() == 0; }
    std::string Error() const;

private:
    friend class ScriptedUser;
    struct Step {
        std::string description;
        std::function<bool(TForm&)> matches;
        std::function<void(TForm&)> action;
    };
    Script& AddStep(std::string description, std::function<bool(TForm&)> matches,
                    std::function<void(TForm&)> action);
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::vector<std::function<bool()>> whileWorking_;
    size_t nextWhileWorking_ = 0;
    std::vector<ShownMessage> messages_;
    std::vector<std::string> formsShown_;
    std::string error_;
    Script* previous_ = nullptr;
};

// What the headless backend calls around a modal showing.
class ScriptedUser {
public:
    static void Expect(TForm& form);  // a form is about to be shown modally
    static void Act(TForm& form);     // run the next step on it
    static void Ended(TForm& form, int result);
    static void MessagesRun();        // the program lets pending messages run
};

// Actions a step takes, as a user would: each fails with ScriptError when the user could
// not do it (no such control, hidden or disabled).
// Presses the button (or clicks the control) whose Name or caption (with or without
// its "&") is `which`.
void Click(TForm& form, const std::string& which);
// Types into an edit box: replaces its text as the user would, running its OnChange.
void TypeText(TForm& form, const std::string& editName, const std::string& text);
// A key pressed while the form is active (goes through the form's key handling).
void PressKey(TForm& form, int key, TShiftState shift = 0);
// The control by Name or caption, or ScriptError.
TControl& Control(TForm& form, const std::string& which);

}  // namespace ui::headless

#include "ui/headless/ScriptedUser.h"

#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/MessageForm.h"
#include "ui/Pilot.h"

namespace ui::headless {

namespace {

Script* current = nullptr;

std::string Describe(TForm& form) {
    return form.ClassName() + " \"" + form.Caption.get() + "\"";
}

bool Matches(TForm& form, const std::string& which) {
    return form.ClassName() == which || form.Name == which || form.Caption == which;
}

bool NameOrCaptionIs(TControl& control, const std::string& which) {
    return control.Name == which || control.Caption == which ||
           (!control.Caption->empty() && StripAccelerator(control.Caption).text == which);
}

}  // namespace

Script::Script() : previous_(current) { current = this; }

Script::~Script() { current = previous_; }

Script& Script::AddStep(std::string description, std::function<bool(TForm&)> matches,
                        std::function<void(TForm&)> action) {
    steps_.push_back({std::move(description), std::move(matches), std::move(action)});
    return *this;
}

Script& Script::AnswerMessage(const std::string& buttonCaption) {
    return AddStep(
        "message box answered with " + buttonCaption,
        [](TForm& form) { return dynamic_cast<TMessageForm*>(&form) != nullptr; },
        [buttonCaption](TForm& form) { Click(form, buttonCaption); });
}

Script& Script::CloseMessage(int result) {
    return AddStep(
        "message box closed with " + std::to_string(result),
        [](TForm& form) { return dynamic_cast<TMessageForm*>(&form) != nullptr; },
        [result](TForm& form) { form.ModalResult = result; });
}

Script& Script::OnMessage(std::function<void(TMessageForm&)> action) {
    return AddStep(
        "message box", [](TForm& form) { return dynamic_cast<TMessageForm*>(&form) != nullptr; },
        [action](TForm& form) { action(dynamic_cast<TMessageForm&>(form)); });
}

Script& Script::OnForm(const std::string& which, std::function<void(TForm&)> action) {
    return AddStep(
        "form " + which, [which](TForm& form) { return Matches(form, which); }, std::move(action));
}

Script& Script::EndForm(const std::string& which, int result) {
    return AddStep(
        "form " + which + " ended with " + std::to_string(result),
        [which](TForm& form) { return Matches(form, which); },
        [result](TForm& form) { form.ModalResult = result; });
}

Script& Script::WhileWorking(std::function<void()> action) {
    return WhileWorkingUntil([action = std::move(action)] {
        action();
        return true;
    });
}

Script& Script::WhileWorkingUntil(std::function<bool()> action) {
    whileWorking_.push_back(std::move(action));
    return *this;
}

std::string Script::Error() const {
    if (!error_.empty()) return error_;
    if (next_ < steps_.size()) return "step not used: " + steps_[next_].description;
    if (PendingSteps() != 0) return "an action while working was not used: the program let no messages run";
    return {};
}

// --- the user ---

namespace {

// The failure stays in the script too: code under test may swallow the exception.
[[noreturn]] void Fail(const std::string& message) { throw ScriptError(message); }

}  // namespace

void ScriptedUser::Expect(TForm& form) {
    Script* script = current;
    if (!script) throw ScriptError(Describe(form) + " was shown modally with no script running");
    if (!script->error_.empty()) throw ScriptError("after an earlier failure: " + script->error_);
    script->formsShown_.push_back(form.ClassName());
    if (auto* box = dynamic_cast<TMessageForm*>(&form)) {
        ShownMessage shown;
        shown.text = box->Text;
        shown.title = box->Title;
        shown.kind = box->MsgKind;
        shown.buttons = box->ButtonSet;
        shown.defaultButton = box->DefaultSlot;
        for (int slot = 0; slot < MsgDlgBtnCount; ++slot)
            if (TNiceButton* button = box->ButtonOf(TMsgDlgBtn(slot))) shown.captions.push_back(button->Caption);
        script->messages_.push_back(std::move(shown));
    }
}

void ScriptedUser::Act(TForm& form) {
    Script* script = current;
    if (!script) throw ScriptError(Describe(form) + " is modal with no script running");
    if (!script->error_.empty()) throw ScriptError("after an earlier failure: " + script->error_);
    if (script->next_ >= script->steps_.size()) {
        script->error_ = "no step left for " + Describe(form);
        Fail(script->error_);
    }
    Script::Step& step = script->steps_[script->next_];
    if (!step.matches(form)) {
        script->error_ = "expected " + step.description + ", but " + Describe(form) + " was shown";
        Fail(script->error_);
    }
    ++script->next_;
    try {
        step.action(form);
    } catch (const ScriptError& e) {
        if (script->error_.empty()) script->error_ = e.what();
        throw;
    }
}

void ScriptedUser::Ended(TForm& form, int result) {
    Script* script = current;
    if (!script || !dynamic_cast<TMessageForm*>(&form)) return;
    // The innermost box still open is the last one recorded without a result.
    for (auto it = script->messages_.rbegin(); it != script->messages_.rend(); ++it)
        if (it->result == mrNone) {
            it->result = result;
            break;
        }
}

void ScriptedUser::MessagesRun() {
    Script* script = current;
    if (!script || !script->error_.empty() || script->nextWhileWorking_ >= script->whileWorking_.size()) return;
    // Taken first: the action may itself let messages run (and a vector may grow).
    const size_t at = script->nextWhileWorking_++;
    auto action = std::move(script->whileWorking_[at]);
    try {
        if (!action()) {
            script->whileWorking_[at] = std::move(action);
            script->nextWhileWorking_ = at;
        }
    } catch (const ScriptError& e) {
        if (script->error_.empty()) script->error_ = e.what();
        throw;
    }
}

// --- actions ---

TControl& Control(TForm& form, const std::string& which) {
    TControl* found = form.FindControl(which);
    if (!found)
        form.ForEachControl([&](TControl& control) {
            if (!found && NameOrCaptionIs(control, which)) found = &control;
        });
    if (!found) throw ScriptError("no control \"" + which + "\" on " + Describe(form));
    return *found;
}

void Click(TForm& form, const std::string& which) {
    TControl& control = Control(form, which);
    if (!control.Showing()) throw ScriptError("\"" + which + "\" is hidden on " + Describe(form));
    if (!control.EnabledChain()) throw ScriptError("\"" + which + "\" is disabled on " + Describe(form));
    PressAsPerson(control);
}

void TypeText(TForm& form, const std::string& editName, const std::string& text) {
    TControl& control = Control(form, editName);
    if (!control.Showing() || !control.EnabledChain())
        throw ScriptError("cannot type into \"" + editName + "\" on " + Describe(form));
    TypeAsPerson(control, text);
}

void PressKey(TForm& form, int key, TShiftState shift) { form.DispatchKey(key, shift); }

}  // namespace ui::headless

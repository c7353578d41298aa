// Who else watches the modal forms and message boxes of a run: the program's own
// observer of its outcome, and, in a run where nobody sits at the screen, the one who
// answers for the person. The kit calls the current pilot:
//  - when a form shown modally has its loop running (FormShown: a driving pilot acts on
//    it through the same controls a person uses, and must end it);
//  - when a modal form ended (FormEnded);
//  - before a message box is built (AnswerMessage: a result given here closes the box
//    without showing it) and after one closed (MessageClosed).
#pragma once

#include <optional>
#include <string>

#include "ui/MessageBox.h"

namespace ui {

class TForm;
class TControl;

struct MessageRequest {
    const std::string& text;  // the caller's text, before the heading
    const std::string& title;
    TMsgDlgType kind;
    TMsgDlgButtons buttons;
    MessagePurpose purpose;
};

class Pilot {
public:
    virtual ~Pilot() = default;
    // True when the pilot ends every modal form it is shown (nobody else will).
    virtual bool DrivesForms() const { return false; }
    virtual void FormShown(TForm&) {}
    virtual void FormEnded(TForm&, int /*modalResult*/) {}
    virtual std::optional<uint16_t> AnswerMessage(const MessageRequest&) { return std::nullopt; }
    virtual void MessageClosed(const MessageRequest&, uint16_t /*result*/) {}
};

// The pilot in use, or null; the caller keeps it alive while it is set.
Pilot* CurrentPilot();
void SetPilot(Pilot* pilot);

// Sets `pilot` (null: none) for as long as it lives.
class PilotScope {
public:
    explicit PilotScope(Pilot* pilot) { SetPilot(pilot); }
    ~PilotScope() { SetPilot(nullptr); }
    PilotScope(const PilotScope&) = delete;
    PilotScope& operator=(const PilotScope&) = delete;
};

// What a person does, done by the program: false when a person could not (the control
// is hidden or disabled, on itself or on a container up to its form).
// A click: the focus moves to a windowed control, then the control's click.
bool PressAsPerson(TControl& control);
// The platform's plain message dialog (plat::Platform::ShowPlainMessage), unless the
// pilot answers it as a report.
void ShowPlainMessage(const std::string& text);
// Typing into an edit box: its whole text replaced, its OnChange run, the window updated.
bool TypeAsPerson(TControl& control, const std::string& text);

}  // namespace ui

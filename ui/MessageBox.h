// The program's one message box: warnings, errors, disk requests, questions. Builds a
// box in the kit's look sized to the text, centres it, waits for a button and returns
// that button's result.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "ui/ModalResult.h"
#include "ui/Types.h"

namespace ui {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Slots of the button set, in the order the buttons appear.
enum TMsgDlgBtn {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
    mbHelp,
};
constexpr int MsgDlgBtnCount = mbHelp + 1;

// Bit n = slot n.
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons Buttons(std::initializer_list<TMsgDlgBtn> slots) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn slot : slots) set = TMsgDlgButtons(set | (1u << unsigned(slot)));
    return set;
}
constexpr bool HasButton(TMsgDlgButtons set, TMsgDlgBtn slot) {
    return (set >> unsigned(slot)) & 1u;
}

// What a box is for, to whoever answers boxes when nobody sits at the screen (Pilot.h).
// A box's kind says it, unless its caller says otherwise for the boxes it shows:
// mtError is a failure, mtConfirmation a question, every other kind a report. A decision
// follows a failure and asks what becomes of the work; its first button is the safe answer.
enum class MessagePurpose { Report, Failure, Question, MediaRequest, Decision };
MessagePurpose PurposeOfKind(TMsgDlgType kind);
class MessagePurposeScope {
public:
    explicit MessagePurposeScope(MessagePurpose purpose);
    ~MessagePurposeScope();
    MessagePurposeScope(const MessagePurposeScope&) = delete;
    MessagePurposeScope& operator=(const MessagePurposeScope&) = delete;

private:
    const MessagePurpose* saved_;
    MessagePurpose purpose_;
};

// Shows the box and returns the result of the button that closed it; mrCancel when the
// quick-close timer closed it, mrIgnore when a press on the picture switched quick close.
// A set that would give two buttons of one name (mbNo with mbNoToAll, mbAll with
// mbYesToAll), or that has no button that closes the box, is a fault of the caller and
// is refused before anything is shown: the refusal is noted (ErrorNote.h) and
// std::invalid_argument is thrown, so no caller goes on as if a button had been pressed.
uint16_t ShowMessageBox(const std::string& text, const std::string& title, TMsgDlgType kind,
                        TAlignment alignment, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton,
                        int helpContext);

// While not empty, every message is shown as this heading in upper case, a comma, an
// empty line and then the text. Callers set and clear it.
extern std::string MessageHeading;
// A heading of its own for the boxes shown while it lives; the one before comes back.
class MessageHeadingScope {
public:
    explicit MessageHeadingScope(const std::string& heading) : saved_(MessageHeading) { MessageHeading = heading; }
    ~MessageHeadingScope() { MessageHeading = saved_; }
    MessageHeadingScope(const MessageHeadingScope&) = delete;
    MessageHeadingScope& operator=(const MessageHeadingScope&) = delete;

private:
    std::string saved_;
};
// Switched only by presses on a box's picture; see the box's quick modes.
extern bool QuickClose;
extern bool QuickAnswer;

// The kit's information box with one OK button (not the platform's plain message
// dialog, which is plat::Platform::ShowPlainMessage).
void ShowInformationBox(const std::string& text);

}  // namespace ui

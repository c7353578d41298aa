// The message box's form. ShowMessageBox builds one per call; tests and the scripted
// user read what it shows from here.
#pragma once

#include <array>
#include <string>

#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/Labels.h"
#include "ui/MessageBox.h"
#include "ui/Panels.h"

namespace ui {

class TMessageForm : public TTitleForm {
public:
    TMessageForm();
    ~TMessageForm() override;

    // What the box shows.
    std::string Text;             // the text as shown (heading applied)
    std::string Title;            // the title as shown
    TMsgDlgType MsgKind = mtCustom;
    TMsgDlgButtons ButtonSet = 0;
    int DefaultSlot = -1;         // the default button's slot, -1 when none

    TNiceButton* ButtonOf(TMsgDlgBtn slot) const { return buttons_[size_t(slot)]; }
    int ButtonCount() const;
    TPanel* Panel = nullptr;
    TFmtLabel* MessageLabel = nullptr;
    TTransImage* Image = nullptr;
    TPanel* Strip = nullptr;
    TBevel* Separator = nullptr;

    // Presses as the platform reports them, on the parts that react to the mouse.
    void PressOn(TControl& part, TMouseButton button);
    void PressDefaultButton();
    int PicturePresses() const { return picturePresses_; }

    // Quick modes: arms the timer when a switch asks for it.
    void StartQuickTimer();

private:
    friend void BuildMessageForm(TMessageForm&, const std::string&, const std::string&, TMsgDlgType,
                                 TAlignment, TMsgDlgButtons, TMsgDlgBtn, int);
    void QuickTick();
    void StopQuickTimer();
    std::array<TNiceButton*, MsgDlgBtnCount> buttons_{};
    int picturePresses_ = 0;
    int countdown_ = 0;
    int timer_ = 0;
    bool answerMode_ = false;
};

// The title shown for a kind when none is given.
const char* KindTitle(TMsgDlgType kind);
// The text shown: the heading in upper case, a comma and an empty line before the text.
std::string ApplyMessageHeading(const std::string& heading, const std::string& text);
// Whether a set can be shown (no two buttons of one name, at least one closing button).
bool ButtonSetAllowed(TMsgDlgButtons buttons);
// Which slot answers Escape, or -1.
int CancelSlot(TMsgDlgButtons buttons);

// Builds the whole box without showing it (also what ShowMessageBox shows).
void BuildMessageForm(TMessageForm& form, const std::string& text, const std::string& title,
                      TMsgDlgType kind, TAlignment alignment, TMsgDlgButtons buttons,
                      TMsgDlgBtn defaultButton, int helpContext);

}  // namespace ui

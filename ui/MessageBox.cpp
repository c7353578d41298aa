#include "ui/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <stdexcept>

#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/ErrorNote.h"
#include "ui/MessageForm.h"
#include "ui/MessageLayout.h"
#include "ui/MessagePictures.h"
#include "ui/Pilot.h"
#include "ui/TextWrap.h"
#include "ui/TitleBar.h"

namespace ui {

std::string MessageHeading;
bool QuickClose = false;
bool QuickAnswer = false;

namespace {

// The button kind of each slot of the set.
constexpr TMButtonKind kSlotKinds[MsgDlgBtnCount] = {
    mkYes, mkNo, mkOK, mkCancel, mkAbort, mkRetry, mkIgnore, mkAll, mkNo, mkAll, mkHelp,
};

constexpr TColor kTitleStartColor = 0x825106;
constexpr int kTitleBarHeight = 25;

// The purpose set by the innermost MessagePurposeScope, or null.
const MessagePurpose* purposeInScope = nullptr;

// The box whose quick-mode timer runs; one at a time.
TMessageForm* currentBox = nullptr;

std::string ButtonName(const std::string& caption) {
    std::string name = "Btn";
    for (char c : caption)
        if (c != '&' && c != ' ') name += c;
    return name;
}

}  // namespace

const char* KindTitle(TMsgDlgType kind) {
    switch (kind) {
        case mtWarning: return "Atentie !";
        case mtError: return "EROARE !";
        case mtInformation: return "Informatie...";
        case mtConfirmation: return "Confirmare...";
        default: return "";
    }
}

std::string ApplyMessageHeading(const std::string& heading, const std::string& text) {
    if (heading.empty()) return text;
    std::string upper = heading;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper + ",\r\r" + text;
}

bool ButtonSetAllowed(TMsgDlgButtons buttons) {
    if (HasButton(buttons, mbNo) && HasButton(buttons, mbNoToAll)) return false;
    if (HasButton(buttons, mbAll) && HasButton(buttons, mbYesToAll)) return false;
    for (int slot = 0; slot < MsgDlgBtnCount; ++slot)
        if (slot != mbHelp && HasButton(buttons, TMsgDlgBtn(slot))) return true;
    // Without a button that closes it the box could never be answered.
    return false;
}

int CancelSlot(TMsgDlgButtons buttons) {
    if (HasButton(buttons, mbNo) && HasButton(buttons, mbCancel)) return mbCancel;
    if (HasButton(buttons, mbOK) && !HasButton(buttons, mbCancel)) return mbOK;
    return -1;
}

// --- TMessageForm ---

TMessageForm::TMessageForm() : TTitleForm("TMessageForm") {}

TMessageForm::~TMessageForm() {
    StopQuickTimer();
    if (currentBox == this) currentBox = nullptr;
}

int TMessageForm::ButtonCount() const {
    return int(std::count_if(buttons_.begin(), buttons_.end(), [](auto* b) { return b != nullptr; }));
}

void TMessageForm::PressDefaultButton() {
    for (TNiceButton* button : buttons_)
        if (button && button->Default) {
            button->Click();
            return;
        }
}

void TMessageForm::PressOn(TControl& part, TMouseButton button) {
    if (button == TMouseButton::mbRight) {
        PressDefaultButton();
        return;
    }
    if (&part != Image) return;
    if (++picturePresses_ < 3) return;
    if (ButtonCount() <= 1) {
        QuickClose = !QuickClose;
        ModalResult = mrIgnore;
    } else {
        QuickAnswer = !QuickAnswer;
        PressDefaultButton();
    }
}

void TMessageForm::StartQuickTimer() {
    const int count = ButtonCount();
    if (QuickClose && count == 1 && MainForm())
        answerMode_ = false;
    else if (QuickAnswer && count >= 1 && MainForm())
        answerMode_ = true;
    else
        return;
    if (currentBox && currentBox != this) currentBox->StopQuickTimer();
    currentBox = this;
    countdown_ = 1;
    // With quick close off the interval is 0: the shortest the platform allows.
    const int interval = std::max(1, 300 * (QuickClose ? 1 : 0));
    timer_ = ui::StartTimer(interval, [] {
        if (currentBox) currentBox->QuickTick();
    });
}

void TMessageForm::StopQuickTimer() {
    if (timer_) ui::StopTimer(timer_);
    timer_ = 0;
}

void TMessageForm::QuickTick() {
    if (countdown_ > 0) {
        --countdown_;
        return;
    }
    StopQuickTimer();
    if (!answerMode_) {
        ModalResult = mrCancel;
        return;
    }
    for (TNiceButton* button : buttons_)
        if (button && button->Default && button->Visible && button->Enabled) {
            button->Click();
            return;
        }
}

// --- building ---

void BuildMessageForm(TMessageForm& form, const std::string& text, const std::string& title,
                      TMsgDlgType kind, TAlignment alignment, TMsgDlgButtons buttons,
                      TMsgDlgBtn defaultButton, int helpContext) {
    form.Name = "Message";
    form.Text = text;
    form.Title = title.empty() ? KindTitle(kind) : title;
    form.MsgKind = kind;
    form.ButtonSet = buttons;
    form.DefaultSlot = HasButton(buttons, defaultButton) ? int(defaultButton) : -1;
    form.BorderStyle = bsDialog;
    form.BorderIcons = biSystemMenu;
    form.Font = FontSpec{"MS Sans Serif", 11, 0, clWindowText};
    auto press = [&form](TControl& part) {
        return [&form, &part](TMouseButton button, TShiftState, int, int) { form.PressOn(part, button); };
    };
    form.OnMouseDown = press(form);

    TTitleBar& bar = form.Add<TTitleBar>("TitleBar1");
    bar.Height = kTitleBarHeight;
    bar.Align = alTop;
    bar.StartColor = kTitleStartColor;
    bar.Caption = form.Title;

    form.Panel = &form.Add<TPanel>("Panel");
    form.Panel->BevelOuter = bvLowered;
    form.Panel->OnMouseDown = press(*form.Panel);
    form.Separator = &form.Add<TBevel>("Bevel");
    form.Separator->Shape = bsTopLine;

    // Measure the text in the box's font made bold, wrapped at half the screen's width.
    FontSpec bold = form.Font.Spec();
    bold.Style = fsBold;
    auto canvas = CurrentBackend().MeasuringCanvas();
    canvas->SetFont(bold);
    std::vector<std::string> lines =
        WrapText(text, ScreenWidth() / 2, [&](const std::string& s) { return canvas->TextExtent(s).cx; });
    int textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, canvas->TextExtent(line).cx);
    const int textHeight = canvas->TextExtent("Xg").cy * int(lines.size());
    std::string shown;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) shown += '\r';
        shown += EscapeFmtText(lines[i]);
    }

    const TBitmap& picture = MessagePicture(kind);
    form.Image = &form.Panel->Add<TTransImage>("Image");
    form.Image->Picture = picture;
    form.Image->OnMouseDown = press(*form.Image);
    form.MessageLabel = &form.Panel->Add<TFmtLabel>("Message");
    TFmtLabel& label = *form.MessageLabel;
    label.Transparent = true;
    label.WordWrap = true;
    label.Alignment = alignment;
    label.Font = bold;
    label.SetBounds(0, 0, textWidth, textHeight);
    label.Caption = shown;
    label.OnMouseDown = press(label);

    form.Strip = &form.Add<TPanel>("ButtonStrip");
    form.Strip->BevelOuter = bvLowered;
    form.Strip->OnMouseDown = press(*form.Strip);
    const int cancelSlot = CancelSlot(buttons);
    for (int slot = 0; slot < MsgDlgBtnCount; ++slot) {
        if (!HasButton(buttons, TMsgDlgBtn(slot))) continue;
        TNiceButton& button = form.Strip->Add<TNiceButton>("");
        button.Kind = kSlotKinds[slot];
        button.Name = ButtonName(button.Caption);
        button.Default = slot == form.DefaultSlot;
        button.Cancel = slot == cancelSlot;
        if (button.Default) form.ActiveControl = &button;
        form.buttons_[size_t(slot)] = &button;
    }

    MessageLayout layout = LayoutMessageBox({textWidth, textHeight, picture.Width, picture.Height,
                                             form.ButtonCount(), kTitleBarHeight});
    form.Caption = form.Title;
    form.SetClientSize(layout.client.cx, layout.client.cy);
    const TRect& p = layout.panel;
    form.Panel->SetBounds(p.Left, p.Top, p.Width(), p.Height());
    form.Image->SetBounds(layout.picture.Left, layout.picture.Top, layout.picture.Width(), layout.picture.Height());
    label.SetBounds(layout.label.Left, layout.label.Top, layout.label.Width(), layout.label.Height());
    form.Separator->SetBounds(0, layout.separatorTop, layout.separatorWidth, 5);
    const TRect& s = layout.strip;
    form.Strip->SetBounds(s.Left, s.Top, s.Width(), s.Height());
    size_t index = 0;
    for (TNiceButton* button : form.buttons_) {
        if (!button) continue;
        const TRect& b = layout.buttons[index++];
        button->SetBounds(b.Left, b.Top, b.Width(), b.Height());
    }

    // The screen's pixels per inch scale the box where the kit turns units into pixels.
    form.Left = ScreenWidth() / 2 - form.Width / 2;
    form.Top = ScreenHeight() / 2 - form.Height / 2;
    form.HelpContext = helpContext;
}

namespace {

struct CursorKeeper {
    TCursor saved = ScreenCursor();
    CursorKeeper() { SetScreenCursor(crArrow); }
    ~CursorKeeper() { SetScreenCursor(saved); }
};

uint16_t RunBox(const std::string& text, const std::string& title, TMsgDlgType kind, TAlignment alignment,
                TMsgDlgButtons buttons, TMsgDlgBtn defaultButton, int helpContext) {
    if (!ButtonSetAllowed(buttons)) {
        const std::string refusal =
            "Caseta de mesaj refuzata: setul de butoane " + std::to_string(buttons) + " nu se poate afisa";
        NoteError(refusal + " (" + text + ")");
        throw std::invalid_argument(refusal);
    }
    CursorKeeper cursor;
    auto form = std::make_unique<TMessageForm>();
    BuildMessageForm(*form, text, title, kind, alignment, buttons, defaultButton, helpContext);
    form->StartQuickTimer();
    return uint16_t(form->ShowModal());
}

}  // namespace

MessagePurpose PurposeOfKind(TMsgDlgType kind) {
    switch (kind) {
        case mtError: return MessagePurpose::Failure;
        case mtConfirmation: return MessagePurpose::Question;
        default: return MessagePurpose::Report;
    }
}

MessagePurposeScope::MessagePurposeScope(MessagePurpose purpose) : saved_(purposeInScope), purpose_(purpose) {
    purposeInScope = &purpose_;
}

MessagePurposeScope::~MessagePurposeScope() { purposeInScope = saved_; }

uint16_t ShowMessageBox(const std::string& text, const std::string& title, TMsgDlgType kind,
                        TAlignment alignment, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton,
                        int helpContext) {
    Pilot* pilot = CurrentPilot();
    const MessageRequest request{text, title, kind, buttons, purposeInScope ? *purposeInScope : PurposeOfKind(kind)};
    if (pilot && ButtonSetAllowed(buttons))
        if (std::optional<uint16_t> answer = pilot->AnswerMessage(request)) return *answer;
    const uint16_t result = RunBox(ApplyMessageHeading(MessageHeading, text), title, kind, alignment, buttons,
                                   defaultButton, helpContext);
    if (pilot) pilot->MessageClosed(request, result);
    return result;
}

void ShowInformationBox(const std::string& text) {
    RunBox(text, "", mtInformation, taCenter, Buttons({mbOK}), mbOK, 0);
}

}  // namespace ui

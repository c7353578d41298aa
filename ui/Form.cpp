#include "ui/Form.h"

#include <algorithm>
#include <vector>

#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Buttons.h"
#include "ui/Pilot.h"
#include "ui/StdControls.h"
#include "ui/TitleBar.h"

namespace ui {

TForm::TForm(std::string className) : className_(std::move(className)) {
    Visible.SetQuietly(false);
    Visible.OnChange([this] {
        if (Visible)
            CurrentBackend().ShowForm(*this);
        else
            CurrentBackend().HideForm(*this);
    });
    auto changed = [this] { Changed(); };
    BorderStyle.OnChange(changed);
    BorderIcons.OnChange(changed);
    WindowState.OnChange(changed);
    Width.SetQuietly(320);
    Height.SetQuietly(240);
}

TForm::~TForm() {
    if (MainForm() == this) SetMainForm(nullptr);
    if (Handle) CurrentBackend().ControlDestroyed(*this);
}

int TForm::ClientWidth() const {
    return Width - CurrentBackend().FrameExtent(*this).cx;
}

int TForm::ClientHeight() const {
    return Height - CurrentBackend().FrameExtent(*this).cy;
}

void TForm::SetClientWidth(int width) { Width = width + CurrentBackend().FrameExtent(*this).cx; }
void TForm::SetClientHeight(int height) { Height = height + CurrentBackend().FrameExtent(*this).cy; }
void TForm::SetClientSize(int width, int height) {
    TSize frame = CurrentBackend().FrameExtent(*this);
    SetBounds(Left, Top, width + frame.cx, height + frame.cy);
}

int TForm::ShowModal() {
    modal_ = true;
    ModalResult.SetQuietly(mrNone);
    int result = mrNone;
    struct ModalEnd {
        TForm& form;
        ~ModalEnd() { form.modal_ = false; }
    } end{*this};
    result = CurrentBackend().RunModal(*this);
    if (Pilot* pilot = CurrentPilot()) pilot->FormEnded(*this, result);
    return result;
}

void TForm::Show() {
    if (Visible)
        CurrentBackend().ShowForm(*this);
    else
        Visible = true;
}

void TForm::Hide() { Visible = false; }

void TForm::Close() {
    if (modal_)
        ModalResult = mrCancel;
    else
        Hide();
}

void TForm::BringToFront() { CurrentBackend().BringToFront(*this); }

void TForm::FormKeyDown(int&, TShiftState) {}

void TForm::Paint(Canvas& canvas) {
    canvas.FillRect({0, 0, ClientWidth(), ClientHeight()}, EffectiveColor());
}

void TForm::PlatformBoundsChanged(int left, int top, int width, int height) {
    bool resized = width != Width || height != Height;
    Left.SetQuietly(left);
    Top.SetQuietly(top);
    Width.SetQuietly(width);
    Height.SetQuietly(height);
    if (resized) {
        Realign();
        FormResize();
    }
}

void TForm::BoundsChanged() {
    TWinControl::BoundsChanged();
    FormResize();
}

void TForm::DoShow() {
    FormShow();
    if (!ActiveControl || !ActiveControl->CanFocus()) {
        ActiveControl = nullptr;
        FocusNext(false);
    } else if (ActiveControl->Handle) {
        CurrentBackend().Focus(*ActiveControl);
    }
    FormActivate();
}

namespace {

bool TakesTextKeys(const TWinControl* control) {
    if (!control) return false;
    PeerKind kind = control->Peer();
    return kind == PeerKind::Edit || kind == PeerKind::Memo || kind == PeerKind::ComboBox ||
           kind == PeerKind::ListBox;
}

std::vector<TWinControl*> TabOrder(const TForm& form) {
    std::vector<TWinControl*> order;
    form.ForEachControl([&](TControl& control) {
        auto* windowed = dynamic_cast<TWinControl*>(&control);
        if (!windowed || !windowed->TabStop || !windowed->CanFocus()) return;
        if (windowed->Peer() == PeerKind::Container || windowed->Peer() == PeerKind::Painted) return;
        order.push_back(windowed);
    });
    return order;
}

}  // namespace

bool TForm::FocusNext(bool backwards) {
    std::vector<TWinControl*> order = TabOrder(*this);
    if (order.empty()) return false;
    size_t count = order.size(), at = count;
    for (size_t i = 0; i < count; ++i)
        if (order[i] == ActiveControl) at = i;
    size_t next = at == count ? (backwards ? count - 1 : 0)
                              : (backwards ? (at + count - 1) % count : (at + 1) % count);
    order[next]->SetFocus();
    return true;
}

bool TForm::PressAccelerator(char letter, bool altHeld) {
    TControl* target = nullptr;
    ForEachControl([&](TControl& control) {
        if (target || !control.Showing() || !control.EnabledChain()) return;
        if (AcceleratorOf(control.Caption) == letter && control.AcceptsAccelerator(altHeld)) target = &control;
    });
    if (!target) return false;
    target->Accelerate();
    return true;
}

// Arrow keys move the check among radio buttons of one container, as in a dialog.
bool TForm::MoveInRadioGroup(bool forward) {
    auto* current = dynamic_cast<TRadioButton*>(ActiveControl);
    if (!current || !current->Parent()) return false;
    std::vector<TRadioButton*> group;
    for (const auto& sibling : current->Parent()->Controls())
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling.get()); radio && radio->CanFocus()) group.push_back(radio);
    auto at = std::find(group.begin(), group.end(), current);
    if (group.size() < 2 || at == group.end()) return false;
    size_t index = size_t(at - group.begin());
    TRadioButton* next = group[(index + (forward ? 1 : group.size() - 1)) % group.size()];
    next->SetFocus();
    next->Click();
    return true;
}

TButtonControl* TForm::FirstFocusableButton(Prop<bool> TButtonControl::*marked) const {
    TButtonControl* found = nullptr;
    ForEachControl([&](TControl& control) {
        auto* button = dynamic_cast<TButtonControl*>(&control);
        if (!found && button && (button->*marked).get() && button->CanFocus()) found = button;
    });
    return found;
}

TButtonControl* TForm::DefaultButton() const { return FirstFocusableButton(&TButtonControl::Default); }

TButtonControl* TForm::CancelButton() const { return FirstFocusableButton(&TButtonControl::Cancel); }

bool TForm::DispatchKey(int key, TShiftState shift) {
    if (Handle)
        if (TWinControl* focused = CurrentBackend().Focused(*this)) ActiveControl = focused;
    if (KeyPreview) {
        FormKeyDown(key, shift);
        if (key == 0) return true;
    }
    const bool alt = (shift & ssAlt) != 0;
    const bool ctrl = (shift & ssCtrl) != 0;
    if (key == vk::Tab && !alt && !ctrl) return FocusNext((shift & ssShift) != 0);
    if (key == vk::Return && !alt) {
        if (auto* button = dynamic_cast<TButtonControl*>(ActiveControl); button && button->CanFocus()) {
            button->Click();
            return true;
        }
        if (ActiveControl && ActiveControl->Peer() == PeerKind::Memo) return false;
        if (TButtonControl* button = DefaultButton()) {
            button->Click();
            return true;
        }
        return false;
    }
    if (key == vk::Escape && !alt) {
        if (TButtonControl* button = CancelButton()) {
            button->Click();
            return true;
        }
        return false;
    }
    if (key == vk::Up || key == vk::Down || key == vk::Left || key == vk::Right)
        return MoveInRadioGroup(key == vk::Down || key == vk::Right);
    const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (letter && !ctrl && (alt || !TakesTextKeys(ActiveControl)))
        return PressAccelerator(char(key), alt);
    return false;
}

// --- the kit's base forms ---

TMForm::TMForm(std::string className) : TForm(std::move(className)) {
    // Pages and message boxes are fixed dialogs.
    BorderStyle.SetQuietly(bsDialog);
    BorderIcons.SetQuietly(biSystemMenu);
}

void TPaintedForm::Paint(Canvas& canvas) {
    TForm::Paint(canvas);
    if (OnPaint) OnPaint(canvas);
}

TTitleForm::TTitleForm(std::string className) : TPaintedForm(std::move(className)) {}

TTitleBar* TTitleForm::TitleBar1() const { return Find<TTitleBar>("TitleBar1"); }

TTitleBar& TTitleForm::AddTitleBar(const std::string& caption) {
    TTitleBar& bar = Add<TTitleBar>("TitleBar1");
    bar.UsePageLook();
    bar.Caption = caption;
    bar.Align = alTop;
    return bar;
}

}  // namespace ui

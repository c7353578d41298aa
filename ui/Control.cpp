#include "ui/Control.h"

#include <algorithm>

#include "ui/Backend.h"
#include "ui/Form.h"

namespace ui {

TControl::TControl() {
    auto changed = [this] { Changed(); };
    auto bounds = [this] { BoundsChanged(); };
    Caption.OnChange([this] { CaptionChanged(); });
    Left.OnChange(bounds);
    Top.OnChange(bounds);
    Width.OnChange(bounds);
    Height.OnChange(bounds);
    Visible.OnChange([this] {
        Changed();
        if (parent_) parent_->Realign();
    });
    Enabled.OnChange(changed);
    Color.OnChange([this] {
        ParentColor.SetQuietly(false);
        Changed();
    });
    ParentColor.OnChange(changed);
    Transparent.OnChange(changed);
    Align.OnChange([this] {
        if (parent_) parent_->Realign();
    });
    Font.OnChange([this] {
        if (!followingParentFont_) ParentFont.SetQuietly(false);
        FontChanged();
    });
    ParentFont.OnChange([this] {
        if (ParentFont && parent_) {
            followingParentFont_ = true;
            Font = parent_->Font.Spec();
            followingParentFont_ = false;
        }
    });
}

TControl::~TControl() {
    if (Handle) CurrentBackend().ControlDestroyed(*this);
}

TForm* TControl::OwnerForm() {
    TControl* control = this;
    while (control) {
        if (auto* form = dynamic_cast<TForm*>(control)) return form;
        control = control->parent_;
    }
    return nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Left.SetQuietly(left);
    Top.SetQuietly(top);
    Width.SetQuietly(width);
    Height.SetQuietly(std::max(0, height));
    BoundsChanged();
}

TColor TControl::EffectiveColor() const {
    if (ParentColor && parent_) return parent_->EffectiveColor();
    return Color;
}

FontSpec TControl::EffectiveFont() const { return Font.Spec(); }

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->Visible) return false;
    return true;
}

bool TControl::EnabledChain() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->Enabled) return false;
    return true;
}

void TControl::Click() {
    if (OnClick) OnClick();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TControl::TextChangedByUser(const std::string& text) { Caption.SetQuietly(text); }

void TControl::Invalidate() {
    if (Handle) CurrentBackend().Invalidate(*this);
}

void TControl::Repaint() {
    if (Handle) CurrentBackend().Repaint(*this);
}

void TControl::BringToFront() {
    if (Handle) CurrentBackend().BringToFront(*this);
}

void TControl::Changed() {
    if (Handle) CurrentBackend().ControlChanged(*this);
}

void TControl::BoundsChanged() {
    Changed();
    if (parent_ && Align != alNone) parent_->Realign();
}

void TControl::FontChanged() { Changed(); }

// --- TWinControl ---

TWinControl::TWinControl() = default;

TWinControl::~TWinControl() {
    // The window goes while this is still a container, taking its children's with it.
    if (Handle) CurrentBackend().ControlDestroyed(*this);
    // Children go first, newest first, while this container still exists.
    while (!children_.empty()) children_.pop_back();
}

void TWinControl::Adopt(std::unique_ptr<TControl> child, const std::string& name) {
    TControl& ref = *child;
    ref.Name.SetQuietly(name);
    ref.parent_ = this;
    if (ref.ParentFont) {
        ref.followingParentFont_ = true;
        ref.Font = Font.Spec();
        ref.followingParentFont_ = false;
    }
    children_.push_back(std::move(child));
    if (Handle) CurrentBackend().ControlAdded(ref);
    if (ref.Align != alNone) Realign();
}

void TWinControl::Remove(TControl& child) {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [&](const auto& c) { return c.get() == &child; });
    if (it == children_.end()) return;
    if (TForm* form = OwnerForm(); form && form->ActiveControl) {
        for (TControl* c = form->ActiveControl; c; c = c->Parent())
            if (c == &child) { form->ActiveControl = nullptr; break; }
    }
    children_.erase(it);
    Realign();
}

TControl* TWinControl::FindControl(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->Name == name) return child.get();
        if (auto* container = dynamic_cast<TWinControl*>(child.get()))
            if (TControl* found = container->FindControl(name)) return found;
    }
    return nullptr;
}

void TWinControl::ForEachControl(const std::function<void(TControl&)>& visit) const {
    for (const auto& child : children_) {
        visit(*child);
        if (auto* container = dynamic_cast<TWinControl*>(child.get())) container->ForEachControl(visit);
    }
}

bool TWinControl::CanFocus() const { return Showing() && EnabledChain(); }

bool TWinControl::Focused() const {
    auto* self = const_cast<TWinControl*>(this);
    TForm* form = self->OwnerForm();
    return form && form->ActiveControl == this;
}

void TWinControl::SetFocus() {
    TForm* form = OwnerForm();
    if (!form || form == this) return;
    TWinControl* previous = form->ActiveControl;
    if (previous == this) {
        // Still the form's choice, but the platform may have moved its focus meanwhile.
        if (Handle) CurrentBackend().Focus(*this);
        return;
    }
    form->ActiveControl = this;
    if (previous) previous->DoExit();
    if (Handle) CurrentBackend().Focus(*this);
    DoEnter();
}

void TWinControl::Realign() {
    if (realigning_) return;
    realigning_ = true;
    int left = 0, top = 0, right = ClientWidth(), bottom = ClientHeight();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (const auto& child : children_) {
            TControl& c = *child;
            if (c.Align != pass || !c.Visible) continue;
            switch (pass) {
                case alTop:
                    c.SetBounds(left, top, right - left, c.Height);
                    top += c.Height;
                    break;
                case alBottom:
                    bottom -= c.Height;
                    c.SetBounds(left, bottom, right - left, c.Height);
                    break;
                case alLeft:
                    c.SetBounds(left, top, c.Width, bottom - top);
                    left += c.Width;
                    break;
                case alRight:
                    right -= c.Width;
                    c.SetBounds(right, top, c.Width, bottom - top);
                    break;
                default:
                    c.SetBounds(left, top, std::max(0, right - left), std::max(0, bottom - top));
                    break;
            }
        }
    }
    realigning_ = false;
}

void TWinControl::BoundsChanged() {
    TControl::BoundsChanged();
    Realign();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    FontSpec spec = Font.Spec();
    for (const auto& child : children_) {
        if (!child->ParentFont) continue;
        child->followingParentFont_ = true;
        child->Font = spec;
        child->followingParentFont_ = false;
    }
}

void TWinControl::Changed() { TControl::Changed(); }

}  // namespace ui

// Controls and containers. A control is a C++ object with designer-style properties;
// its container owns it. Painting goes through `Canvas`; everything the platform must
// know (a window to create, move, repaint or destroy) goes through the current backend.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/Prop.h"
#include "ui/Types.h"

namespace ui {

class TWinControl;
class TForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// What kind of platform object stands behind a control; the backend picks a window
// class by it.
enum class PeerKind {
    Painted,      // drawn by the kit through its Paint method (labels, title bar, images)
    Container,    // drawn by the kit and holding child controls (panels, radio groups)
    PushButton,   // a platform button drawn by the kit
    CheckBox,
    RadioButton,
    Edit,
    Memo,
    ComboBox,
    ListBox,
    Form,
};

class TControl {
public:
    TControl();
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    Prop<std::string> Name;
    Prop<std::string> Caption;
    Prop<int> Left{0}, Top{0}, Width{0}, Height{0};
    Prop<bool> Visible{true};
    Prop<bool> Enabled{true};
    // Assigning Color or Font stops the control from following its parent's.
    Prop<TColor> Color{clBtnFace};
    TFont Font;
    Prop<bool> ParentColor{false};
    Prop<bool> ParentFont{true};
    Prop<bool> Transparent{false};
    Prop<TAlign> Align{alNone};
    Prop<int> Tag{0};

    std::function<void()> OnClick;
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseDown;

    TWinControl* Parent() const { return parent_; }
    TForm* OwnerForm();
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(Left, Top, Width, Height); }
    virtual int ClientWidth() const { return Width; }
    virtual int ClientHeight() const { return Height; }

    // The colour and font in force, following the parent while ParentColor/ParentFont.
    TColor EffectiveColor() const;
    FontSpec EffectiveFont() const;
    // Visible, with every container up to the form visible too.
    bool Showing() const;
    bool EnabledChain() const;

    virtual PeerKind Peer() const { return PeerKind::Painted; }
    virtual bool IsWindowed() const { return false; }
    // Draws the control in its own coordinates.
    virtual void Paint(Canvas&) {}
    // A click by the user or the program: what the control does, then OnClick.
    virtual void Click();
    // A mouse press from the platform (coordinates are the control's own).
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    // Whether the accelerator letter of the caption reaches this control, and what it
    // does then (buttons press, labels move the focus to their edit box).
    virtual bool AcceptsAccelerator(bool /*altHeld*/) const { return false; }
    virtual void Accelerate() {}
    // The text the platform window carries (its window text): the caption by default.
    virtual std::string PeerText() const { return Caption; }
    // The platform says the control's text changed under the user's hands.
    virtual void TextChangedByUser(const std::string& text);

    void Invalidate();
    // Paints now rather than when the message loop comes round.
    void Repaint();
    void BringToFront();

    // The backend's object for this control (a window handle on Windows).
    void* Handle = nullptr;

protected:
    // Pushes the properties to the platform object and repaints.
    virtual void Changed();
    virtual void BoundsChanged();
    virtual void FontChanged();
    // The caption changed; by default like any other change.
    virtual void CaptionChanged() { Changed(); }

private:
    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    bool followingParentFont_ = false;
};

// A control that may hold others and take the focus.
class TWinControl : public TControl {
public:
    TWinControl();
    ~TWinControl() override;

    Prop<bool> TabStop{true};

    bool IsWindowed() const override { return true; }
    PeerKind Peer() const override { return PeerKind::Container; }

    // Creates a child owned by this container: `auto& b = panel.Add<TMButton>("BNext");`.
    template <class T, class... Args>
    T& Add(const std::string& name, Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        Adopt(std::move(child), name);
        return ref;
    }
    void Adopt(std::unique_ptr<TControl> child, const std::string& name);
    // Destroys a child now.
    void Remove(TControl& child);

    const std::vector<std::unique_ptr<TControl>>& Controls() const { return children_; }
    // Finds a control by name among all descendants.
    TControl* FindControl(const std::string& name) const;
    template <class T>
    T* Find(const std::string& name) const { return dynamic_cast<T*>(FindControl(name)); }
    // Calls `visit` for every descendant, depth first, in creation order.
    void ForEachControl(const std::function<void(TControl&)>& visit) const;

    virtual bool CanFocus() const;
    bool Focused() const;
    void SetFocus();
    // Focus arrives or leaves (from the platform or the program).
    virtual void DoEnter() {}
    virtual void DoExit() {}

    // Places the children that have an Align.
    void Realign();

protected:
    void BoundsChanged() override;
    void FontChanged() override;
    void Changed() override;

private:
    std::vector<std::unique_ptr<TControl>> children_;
    bool realigning_ = false;
};

// A control without its own focus, drawn by its parent's backend object or its own.
class TGraphicControl : public TControl {
public:
    TGraphicControl() { ParentColor.SetQuietly(true); }
};

}  // namespace ui

// Edit boxes and the memo. Changing the text, typed or set by the program, runs OnChange.
#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Panels.h"

namespace ui {

class TLabel;

class TEdit : public TWinControl {
public:
    TEdit();
    Prop<std::string>& Text = Caption;
    Prop<bool> ReadOnly{false};
    Prop<int> MaxLength{0};
    Prop<TAlignment> Alignment{taLeftJustify};
    // A single-line border (the platform's sunken edge with the 3-D look on).
    Prop<bool> BorderSingle{true};
    Prop<bool> Ctl3D{true};
    std::function<void()> OnChange;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;

    PeerKind Peer() const override { return PeerKind::Edit; }
    void TextChangedByUser(const std::string& text) override;
    void Paint(Canvas& canvas) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void CaptionChanged() override;
};

// The edit box of a label-and-edit pair: while it has the focus its label takes
// LabelColor, and with FlatStyle it draws a flat border in BorderColorF (focused) or
// BorderColor.
class TActiveEdit : public TEdit {
public:
    TActiveEdit();
    ~TActiveEdit() override;
    // Setting it also makes this edit box the label's FocusControl.
    Prop<TLabel*> AssocLabel{nullptr};
    Prop<TColor> LabelColor{clHighlight};
    Prop<TColor> BorderColor{0x808080};
    Prop<TColor> BorderColorF{0xFFFFFF};
    Prop<bool> FlatStyle{false};
    Prop<TBevelCut> BevelOuter{bvNone};

    bool HasFocus() const { return focused_; }
    void DoEnter() override;
    void DoExit() override;
    // Draws the border on the whole window rectangle (width x height) when the rules
    // call for it; true when something was drawn.
    bool PaintBorder(Canvas& canvas, int width, int height);
    void Paint(Canvas& canvas) override;

private:
    bool focused_ = false;
    TColor savedLabelColor_ = clWindowText;
};

class TMemo : public TWinControl {
public:
    TMemo();
    Prop<std::vector<std::string>> Lines;
    Prop<bool> ReadOnly{false};
    Prop<bool> VerticalScrollBar{false};
    Prop<bool> BorderSingle{true};
    Prop<TAlignment> Alignment{taLeftJustify};
    Prop<bool> WordWrap{true};

    PeerKind Peer() const override { return PeerKind::Memo; }
    // The lines joined with CR LF.
    std::string Text() const;
    void TextChangedByUser(const std::string& text) override;
    void Paint(Canvas& canvas) override;
};

}  // namespace ui

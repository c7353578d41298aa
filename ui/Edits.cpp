#include "ui/Edits.h"

#include "ui/Labels.h"

namespace ui {

// --- TEdit ---

TEdit::TEdit() {
    Color.SetQuietly(clWindow);
    SetBounds(0, 0, 121, 21);
    auto changed = [this] { Changed(); };
    ReadOnly.OnChange(changed);
    MaxLength.OnChange(changed);
    Alignment.OnChange(changed);
    BorderSingle.OnChange(changed);
}

void TEdit::CaptionChanged() {
    Changed();
    if (OnChange) OnChange();
}

void TEdit::TextChangedByUser(const std::string& text) {
    if (text == Caption.get()) return;
    Caption.SetQuietly(text);
    if (OnChange) OnChange();
}

void TEdit::DoEnter() {
    if (OnEnter) OnEnter();
}

void TEdit::DoExit() {
    if (OnExit) OnExit();
}

void TEdit::Paint(Canvas& canvas) {
    canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    if (BorderSingle) canvas.Frame3D({0, 0, Width, Height}, clBtnShadow, clBtnHighlight, 1);
    canvas.SetFont(EffectiveFont());
    canvas.TextAt(3, 3, Caption, EnabledChain() ? EffectiveFont().Color : clGrayText);
}

// --- TActiveEdit ---

TActiveEdit::TActiveEdit() {
    AssocLabel.OnChange([this] {
        if (TLabel* label = AssocLabel) label->FocusControl = this;
    });
    auto changed = [this] { Changed(); };
    BorderColor.OnChange(changed);
    BorderColorF.OnChange(changed);
    FlatStyle.OnChange(changed);
    BevelOuter.OnChange(changed);
}

TActiveEdit::~TActiveEdit() = default;

void TActiveEdit::DoEnter() {
    focused_ = true;
    if (TLabel* label = AssocLabel) {
        savedLabelColor_ = label->Font.Color;
        label->Font.Color = LabelColor;
    }
    Changed();
    TEdit::DoEnter();
}

void TActiveEdit::DoExit() {
    focused_ = false;
    if (TLabel* label = AssocLabel) label->Font.Color = savedLabelColor_;
    Changed();
    TEdit::DoExit();
}

bool TActiveEdit::PaintBorder(Canvas& canvas, int width, int height) {
    if (!FlatStyle || !Ctl3D || !BorderSingle) return false;
    const TRect whole{0, 0, width, height};
    if (BevelOuter == bvRaised)
        canvas.Frame3D(whole, clBtnHighlight, clBtnShadow, 1);
    else if (BevelOuter != bvNone)
        canvas.Frame3D(whole, clBtnShadow, clBtnHighlight, 1);
    else
        canvas.FrameRect(whole, focused_ ? BorderColorF.get() : BorderColor.get());
    // Covers the platform's sunken edge one pixel inside.
    canvas.FrameRect({1, 1, width - 1, height - 1}, EffectiveColor());
    return true;
}

void TActiveEdit::Paint(Canvas& canvas) {
    TEdit::Paint(canvas);
    PaintBorder(canvas, Width, Height);
}

// --- TMemo ---

TMemo::TMemo() {
    Color.SetQuietly(clWindow);
    SetBounds(0, 0, 185, 89);
    auto changed = [this] { Changed(); };
    Lines.OnChange(changed);
    ReadOnly.OnChange(changed);
    VerticalScrollBar.OnChange(changed);
    BorderSingle.OnChange(changed);
    Alignment.OnChange(changed);
}

std::string TMemo::Text() const {
    std::string text;
    const auto& lines = Lines.get();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

void TMemo::TextChangedByUser(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.emplace_back();
            ++i;
        } else {
            lines.back() += text[i];
        }
    }
    Lines.SetQuietly(lines);
}

void TMemo::Paint(Canvas& canvas) {
    canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    if (BorderSingle) canvas.Frame3D({0, 0, Width, Height}, clBtnShadow, clBtnHighlight, 1);
    FontSpec font = EffectiveFont();
    canvas.SetFont(font);
    int y = 2;
    for (const std::string& line : Lines.get()) {
        TSize size = canvas.TextExtent(line);
        int x = Alignment == taCenter ? (Width - size.cx) / 2 : Alignment == taRightJustify ? Width - size.cx - 3 : 3;
        canvas.TextAt(x, y, line, font.Color);
        y += size.cy;
    }
}

}  // namespace ui

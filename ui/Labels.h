// Labels: the plain label, the label tied to an edit box, and the formatted label whose
// caption carries colour, size, style, shadow and blink codes.
#pragma once

#include <vector>

#include "ui/Control.h"
#include "ui/FmtParser.h"

namespace ui {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    TLabel();
    Prop<TAlignment> Alignment{taLeftJustify};
    Prop<bool> AutoSize{true};
    Prop<bool> WordWrap{false};
    Prop<TTextLayout> Layout{tlTop};
    Prop<bool> ShowAccelChar{true};
    // Receives the focus when the label's accelerator is pressed.
    TWinControl* FocusControl = nullptr;

    void Paint(Canvas& canvas) override;
    bool AcceptsAccelerator(bool altHeld) const override;
    void Accelerate() override;

protected:
    void CaptionChanged() override;
    void FontChanged() override;
    // Grows or shrinks to the caption when AutoSize is on.
    void AdjustSize();
    std::vector<std::string> Lines(Canvas& canvas) const;
};

// A label whose click (or accelerator) runs its OnClick and then focuses FocusControl.
class TActiveLabel : public TLabel {
public:
    Prop<bool>& Autosize = AutoSize;
    void Click() override;
    void Accelerate() override { Click(); }
};

enum TMAlign { alMNone, alMTop, alMBottom, alMLeft, alMRight, alMCenter };

class TFmtLabel : public TLabel {
public:
    TFmtLabel();
    ~TFmtLabel() override;

    Prop<TColor> ShadowColor{clBtnShadow};
    // Where the label places itself inside its parent (hides the control's Align).
    Prop<TMAlign> Align{alMNone};

    void Paint(Canvas& canvas) override;
    // Measures the caption, grows to it and places itself by Align.
    void AdjustToText(Canvas& canvas);
    // The same with a measuring canvas, e.g. after the parent was resized.
    void UpdatePlacement() { AdjustNow(); }
    // The lines as last parsed for drawing.
    const std::vector<FmtLine>& ParsedLines() const { return lines_; }
    size_t BlinkCount() const { return blinkTimers_.size(); }
    // The visible text without codes, lines joined by CR LF.
    std::string PeerText() const override;

protected:
    void CaptionChanged() override;
    void FontChanged() override;

private:
    struct LineMetrics {
        int width = 0, height = 0;
        std::vector<TSize> segments;
    };
    std::vector<LineMetrics> Measure(Canvas& canvas, const std::vector<FmtLine>& lines) const;
    void PlaceByAlign();
    void ReleaseBlinkList();
    // Starts one timer per blinking segment, all segments shown.
    void StartBlinkList(size_t segments);
    void AdjustNow();

    std::vector<FmtLine> lines_;
    std::vector<int> blinkTimers_;   // one 300 ms timer per blinking segment drawn
    std::vector<bool> blinkHidden_;  // phase of each blinking segment, kept across paints
    std::string blinkCaption_;       // the caption the blink list was made for
    bool placing_ = false;
};

// The edge placement of the formatted label, as a pure function of the parent's client
// size and the label's size; returns the new left and top.
TPoint PlaceFmtLabel(TMAlign align, TPoint current, TSize label, TSize parentClient, int parentWidth);

}  // namespace ui

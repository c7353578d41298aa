#include "ui/Labels.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/TextWrap.h"

namespace ui {

// --- TLabel ---

TLabel::TLabel() {
    Width.SetQuietly(65);
    Height.SetQuietly(13);
    auto changed = [this] { Changed(); };
    Alignment.OnChange(changed);
    WordWrap.OnChange(changed);
    Layout.OnChange(changed);
    AutoSize.OnChange([this] { AdjustSize(); });
}

std::vector<std::string> TLabel::Lines(Canvas& canvas) const {
    return WrapText(Caption, WordWrap ? std::max(1, int(Width)) : 1 << 30, [&](const std::string& s) {
        return canvas.TextExtent(ShowAccelChar ? StripAccelerator(s).text : s).cx;
    });
}

void TLabel::Paint(Canvas& canvas) {
    if (!Transparent) canvas.FillRect({0, 0, Width, Height}, EffectiveColor());
    FontSpec font = EffectiveFont();
    canvas.SetFont(font);
    std::vector<std::string> lines = Lines(canvas);
    const int lineHeight = canvas.TextExtent("Xg").cy;
    const int total = lineHeight * int(lines.size());
    int y = Layout == tlCenter ? (Height - total) / 2 : Layout == tlBottom ? Height - total : 0;
    const bool enabled = EnabledChain();
    for (const std::string& line : lines) {
        int w = ShowAccelChar ? canvas.CaptionExtent(line).cx : canvas.TextExtent(line).cx;
        int x = Alignment == taCenter ? (Width - w) / 2 : Alignment == taRightJustify ? Width - w : 0;
        auto draw = [&](int dx, int dy, TColor color) {
            if (ShowAccelChar)
                canvas.CaptionAt(x + dx, y + dy, line, color);
            else
                canvas.TextAt(x + dx, y + dy, line, color);
        };
        if (enabled) {
            draw(0, 0, font.Color);
        } else {
            draw(1, 1, clBtnHighlight);
            draw(0, 0, clGrayText);
        }
        y += lineHeight;
    }
}

void TLabel::AdjustSize() {
    if (!AutoSize || WordWrap) return;
    auto canvas = CurrentBackend().MeasuringCanvas();
    canvas->SetFont(EffectiveFont());
    std::vector<std::string> lines = Lines(*canvas);
    int width = 0;
    for (const std::string& line : lines)
        width = std::max(width, ShowAccelChar ? canvas->CaptionExtent(line).cx : canvas->TextExtent(line).cx);
    int height = canvas->TextExtent("Xg").cy * int(std::max<size_t>(1, lines.size()));
    int left = Left;
    if (Alignment == taRightJustify) left += Width - width;
    SetBounds(left, Top, width, height);
}

void TLabel::CaptionChanged() {
    AdjustSize();
    Changed();
}

void TLabel::FontChanged() {
    AdjustSize();
    TGraphicControl::FontChanged();
}

bool TLabel::AcceptsAccelerator(bool) const {
    return ShowAccelChar && FocusControl && FocusControl->CanFocus();
}

void TLabel::Accelerate() {
    if (FocusControl && FocusControl->CanFocus()) FocusControl->SetFocus();
}

void TActiveLabel::Click() {
    TLabel::Click();
    if (FocusControl && FocusControl->CanFocus()) FocusControl->SetFocus();
}

// --- TFmtLabel ---

TPoint PlaceFmtLabel(TMAlign align, TPoint current, TSize label, TSize parentClient, int parentWidth) {
    switch (align) {
        case alMTop: current.Y = 1; break;
        case alMBottom: current.Y = parentClient.cy - label.cy - 1; break;
        case alMLeft: current.X = 1; break;
        case alMRight: current.X = parentClient.cx - label.cx - 2; break;
        case alMCenter:
            current.X = (parentWidth - label.cx) / 2;
            current.Y = (parentClient.cy - label.cy) / 2;
            break;
        default: break;
    }
    return current;
}

TFmtLabel::TFmtLabel() {
    AutoSize.SetQuietly(false);
    ShadowColor.OnChange([this] { Changed(); });
    Align.OnChange([this] {
        PlaceByAlign();
        Changed();
    });
}

TFmtLabel::~TFmtLabel() { ReleaseBlinkList(); }

void TFmtLabel::ReleaseBlinkList() {
    for (int id : blinkTimers_) StopTimer(id);
    blinkTimers_.clear();
}

void TFmtLabel::StartBlinkList(size_t segments) {
    ReleaseBlinkList();
    blinkHidden_.assign(segments, false);
    blinkCaption_ = Caption;
    for (size_t index = 0; index < segments; ++index)
        blinkTimers_.push_back(StartTimer(300, [this, index] {
            blinkHidden_[index] = !blinkHidden_[index];
            Invalidate();
        }));
}

std::vector<TFmtLabel::LineMetrics> TFmtLabel::Measure(Canvas& canvas,
                                                       const std::vector<FmtLine>& lines) const {
    std::vector<LineMetrics> metrics;
    for (const FmtLine& line : lines) {
        LineMetrics m;
        for (const FmtSegment& segment : line) {
            canvas.SetFont(segment.attributes.font);
            TSize size = canvas.TextExtent(segment.text);
            if (segment.text.empty()) size.cy = canvas.TextExtent("X").cy;
            m.segments.push_back(size);
            m.width += size.cx;
            m.height = std::max(m.height, size.cy);
        }
        metrics.push_back(std::move(m));
    }
    return metrics;
}

void TFmtLabel::AdjustToText(Canvas& canvas) {
    const TRect before = BoundsRect();
    std::vector<LineMetrics> metrics = Measure(canvas, ParseFmtCaption(Caption, EffectiveFont()));
    int width = 0, height = 0;
    for (const LineMetrics& m : metrics) {
        width = std::max(width, m.width);
        height += m.height;
    }
    // The label grows to its text and never shrinks.
    if (height > Height) Height.SetQuietly(height);
    if (width > Width) Width.SetQuietly(width);
    PlaceByAlign();
    if (BoundsRect() != before) TControl::Changed();
}

void TFmtLabel::AdjustNow() {
    auto canvas = CurrentBackend().MeasuringCanvas();
    AdjustToText(*canvas);
}

void TFmtLabel::PlaceByAlign() {
    if (placing_ || !Parent() || Align == alMNone) return;
    placing_ = true;
    TPoint at = PlaceFmtLabel(Align, {Left, Top}, {Width, Height},
                              {Parent()->ClientWidth(), Parent()->ClientHeight()}, Parent()->Width);
    Left.SetQuietly(at.X);
    Top.SetQuietly(at.Y);
    placing_ = false;
}

void TFmtLabel::CaptionChanged() {
    AdjustNow();
    Changed();
}

void TFmtLabel::FontChanged() {
    AdjustNow();
    TGraphicControl::FontChanged();
}

std::string TFmtLabel::PeerText() const {
    std::string text;
    std::vector<FmtLine> lines = ParseFmtCaption(Caption, Font.Spec());
    for (size_t l = 0; l < lines.size(); ++l) {
        if (l) text += "\r\n";
        for (const FmtSegment& segment : lines[l]) text += segment.text;
    }
    return text;
}

void TFmtLabel::Paint(Canvas& canvas) {
    lines_ = ParseFmtCaption(Caption, EffectiveFont());
    size_t blinking = 0;
    for (const FmtLine& line : lines_)
        for (const FmtSegment& segment : line) blinking += segment.attributes.blink ? 1 : 0;
    // The blink list is made anew only for a new caption. A repaint keeps the running
    // timers: restarting them at every paint would let the first segment's tick, whose
    // repaint comes before the other timers are due, hold back every other segment.
    if (blinking != blinkTimers_.size() || blinkCaption_ != Caption.get()) StartBlinkList(blinking);
    std::vector<LineMetrics> metrics = Measure(canvas, lines_);
    AdjustToText(canvas);
    if (!Transparent) canvas.FillRect({0, 0, Width, Height}, EffectiveColor());

    size_t blinkIndex = 0;
    int y = 0;
    for (size_t l = 0; l < lines_.size(); ++l) {
        const LineMetrics& m = metrics[l];
        int x = Alignment == taCenter ? (Width - m.width) / 2
                : Alignment == taRightJustify ? Width - m.width
                                              : 0;
        for (size_t s = 0; s < lines_[l].size(); ++s) {
            const FmtSegment& segment = lines_[l][s];
            const TSize size = m.segments[s];
            // Segments of one line stand on a common bottom edge.
            const int top = y + m.height - size.cy;
            const bool hidden = segment.attributes.blink && blinkHidden_[blinkIndex++];
            if (!hidden && !segment.text.empty()) {
                canvas.SetFont(segment.attributes.font);
                if (segment.attributes.shadow) canvas.TextAt(x + 1, top + 1, segment.text, ShadowColor);
                canvas.TextAt(x, top, segment.text, segment.attributes.font.Color);
            }
            x += size.cx;
        }
        y += m.height;
    }
}

}  // namespace ui

#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/FmtParser.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/Labels.h"
#include "ui/Panels.h"
#include "ui/headless/RecordingCanvas.h"

namespace ui {
namespace {

FontSpec Base() { return FontSpec{"MS Sans Serif", 13, 0, clBlack}; }

std::vector<FmtLine> Parse(const std::string& caption) { return ParseFmtCaption(caption, Base()); }

TEST(FmtParser, VersionCaptionIsWhiteWithShadow) {
    auto lines = Parse("@15% ver.3200853.04");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 1u);
    const FmtSegment& s = lines[0][0];
    EXPECT_EQ(s.text, " ver.3200853.04");
    EXPECT_EQ(s.attributes.font.Color, clWhite);
    EXPECT_TRUE(s.attributes.shadow);
    EXPECT_FALSE(s.attributes.blink);
}

TEST(FmtParser, ColourCodeSplitsSegmentsAndKeepsEarlierText) {
    auto lines = Parse("ab@9cd");
    ASSERT_EQ(lines[0].size(), 2u);
    EXPECT_EQ(lines[0][0].text, "ab");
    EXPECT_EQ(lines[0][0].attributes.font.Color, clBlack);
    EXPECT_EQ(lines[0][1].text, "cd");
    EXPECT_EQ(lines[0][1].attributes.font.Color, clRed);
}

TEST(FmtParser, CodeWithoutNumberChangesNothing) {
    auto lines = Parse("@x");
    ASSERT_EQ(lines[0].size(), 1u);
    EXPECT_EQ(lines[0][0].text, "x");
    EXPECT_EQ(lines[0][0].attributes.font.Color, clBlack);
    EXPECT_EQ(Parse("a&b")[0][0].text, "ab");
}

TEST(FmtParser, NumberThatEndsTheCaptionIsReadWhole) {
    auto lines = Parse("x@12");
    ASSERT_EQ(lines[0].size(), 2u);
    EXPECT_EQ(lines[0][0].text, "x");
    EXPECT_EQ(lines[0][1].text, "");
    EXPECT_EQ(lines[0][1].attributes.font.Color, clBlue);
}

TEST(FmtParser, Escapes) {
    EXPECT_EQ(Parse("\\@5")[0][0].text, "@5");
    EXPECT_EQ(Parse("\\n")[0][0].text, "\\n");
    EXPECT_EQ(Parse("end\\")[0][0].text, "end\\");
    EXPECT_EQ(Parse("\\%\\~\\$\\&")[0][0].text, "%~$&");
}

TEST(FmtParser, TwoCarriageReturnsMakeThreeLines) {
    auto lines = Parse("a\rb\r@9c");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1][0].text, "b");
    EXPECT_EQ(lines[2][0].attributes.font.Color, clRed);
}

TEST(FmtParser, StyleAndSizeCodes) {
    auto lines = Parse("$2bold $0plain&20big$9same");
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_EQ(lines[0][0].text, "bold ");
    EXPECT_EQ(lines[0][0].attributes.font.Style, fsBold);
    EXPECT_EQ(lines[0][1].text, "plain");
    EXPECT_EQ(lines[0][1].attributes.font.Style, 0);
    EXPECT_EQ(lines[0][2].text, "bigsame");  // $9 leaves the style, starts nothing
    EXPECT_EQ(lines[0][2].attributes.font.Height, PointsToPixels(20));
    EXPECT_EQ(Parse("$3x")[0][0].attributes.font.Style, fsBold | fsItalic);
    EXPECT_EQ(Parse("$1x")[0][0].attributes.font.Style, fsItalic);
}

TEST(FmtParser, ShadowAndBlinkToggle) {
    auto lines = Parse("%a%b~c");
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_TRUE(lines[0][0].attributes.shadow);
    EXPECT_FALSE(lines[0][1].attributes.shadow);
    EXPECT_TRUE(lines[0][2].attributes.blink);
}

TEST(FmtParser, OutOfRangeNumbersAreHarmless) {
    auto lines = Parse("@37x@99999999999999999999y&0z&99999w");
    std::string all;
    for (auto& s : lines[0]) all += s.text;
    EXPECT_EQ(all, "xyzw");
    EXPECT_EQ(lines[0][0].attributes.font.Color, clBlack);
    EXPECT_EQ(lines[0].back().attributes.font.Height, PointsToPixels(999));
}

TEST(FmtParser, EscapedTextShowsAsWritten) {
    const std::string text = "100% & $5 @ ~ \\@ C:\\WinTorv\\";
    auto lines = Parse(EscapeFmtText(text));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 1u);
    EXPECT_EQ(lines[0][0].text, text);
}

TEST(FmtLabel, DrawsShadowThenTextAndGrows) {
    TPanel parent;
    auto& label = parent.Add<TFmtLabel>("VerLbl");
    label.Font = Base();
    label.ShadowColor = clGray;
    label.SetBounds(4, 0, 10, 5);
    label.Caption = "@15% ver.1";
    headless::RecordingCanvas canvas;
    label.Paint(canvas);
    auto texts = canvas.Of(headless::DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].color, clGray);
    EXPECT_EQ(texts[0].x, 1);
    EXPECT_EQ(texts[0].y, 1);
    EXPECT_EQ(texts[1].color, clWhite);
    EXPECT_EQ(texts[1].x, 0);
    EXPECT_EQ(label.Width, 6 * 7);   // " ver.1": six 13-pixel characters of 7 pixels
    EXPECT_EQ(label.Height, 15);
    label.Caption = "x";             // never shrinks
    EXPECT_EQ(label.Width, 42);
}

TEST(FmtLabel, EachBlinkingSegmentBlinksEvery300Milliseconds) {
    UseHeadlessBackend();
    TPanel parent;
    auto& label = parent.Add<TFmtLabel>("Lk1");
    label.Font = Base();
    label.Caption = "~a~b~c";
    headless::RecordingCanvas first;
    label.Paint(first);
    EXPECT_EQ(label.BlinkCount(), 2u);
    EXPECT_EQ(first.Texts(), (std::vector<std::string>{"a", "b", "c"}));
    headless::Current().AdvanceTime(299);
    headless::RecordingCanvas still;
    label.Paint(still);  // a new drawing: the blink list is made anew
    EXPECT_EQ(label.BlinkCount(), 2u);
    EXPECT_EQ(headless::Current().ActiveTimers(), 2u);
    headless::Current().AdvanceTime(300);
    headless::RecordingCanvas hidden;
    label.Paint(hidden);
    EXPECT_EQ(hidden.Texts(), std::vector<std::string>{"b"});
    headless::Current().AdvanceTime(300);
    headless::RecordingCanvas shown;
    label.Paint(shown);
    EXPECT_EQ(shown.Texts(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FmtLabel, ARepaintBetweenTicksHoldsBackNoBlinkingSegment) {
    UseHeadlessBackend();
    TPanel parent;
    auto& label = parent.Add<TFmtLabel>("LBlink");
    label.Font = Base();
    label.Caption = "~a~b~c";
    headless::RecordingCanvas first, between, after;
    label.Paint(first);
    headless::Current().AdvanceTime(150);
    label.Paint(between);  // as the platform repaints when the first segment's tick came
    headless::Current().AdvanceTime(150);
    label.Paint(after);
    EXPECT_EQ(after.Texts(), std::vector<std::string>{"b"}) << "both blinking segments hidden at 300 ms";
}

TEST(FmtLabel, PlacesItselfByAlign) {
    EXPECT_EQ(PlaceFmtLabel(alMBottom, {4, 0}, {50, 15}, {1024, 749}, 1024), (TPoint{4, 749 - 15 - 1}));
    EXPECT_EQ(PlaceFmtLabel(alMTop, {4, 9}, {50, 15}, {1024, 749}, 1024), (TPoint{4, 1}));
    EXPECT_EQ(PlaceFmtLabel(alMLeft, {4, 9}, {50, 15}, {1024, 749}, 1024), (TPoint{1, 9}));
    EXPECT_EQ(PlaceFmtLabel(alMRight, {4, 9}, {50, 15}, {1024, 749}, 1024), (TPoint{1024 - 50 - 2, 9}));
    EXPECT_EQ(PlaceFmtLabel(alMCenter, {4, 9}, {51, 16}, {1024, 749}, 1030), (TPoint{489, 366}));
    EXPECT_EQ(PlaceFmtLabel(alMNone, {4, 9}, {51, 16}, {1024, 749}, 1030), (TPoint{4, 9}));
}

}  // namespace
}  // namespace ui

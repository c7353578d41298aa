#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/PageKeys.h"
#include "ui/TitleBar.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/RecordingCanvas.h"
#include "ui/headless/ScriptedUser.h"

namespace ui {
namespace {

using headless::DrawOp;

TEST(TitleBarBands, EqualColoursGiveOneFlatBand) {
    auto bands = GradientBands(0x8C4A08, 0x8C4A08, 25);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], (GradientBand{0, 25, 0x8C4A08}));
}

TEST(TitleBarBands, UnequalColoursStepPerRowRounded) {
    // Red goes 0 -> 10 over 4 rows: 0, 2.5 -> 3, 5, 7.5 -> 8.
    auto bands = GradientBands(RgbColor(0, 0, 0), RgbColor(10, 0, 0), 4);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(RedOf(bands[0].color), 0);
    EXPECT_EQ(RedOf(bands[1].color), 3);
    EXPECT_EQ(RedOf(bands[2].color), 5);
    EXPECT_EQ(RedOf(bands[3].color), 8);
    // Rows of equal colour merge: 2 levels over 25 rows.
    auto merged = GradientBands(RgbColor(0, 0, 0), RgbColor(0, 0, 1), 25);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].bottom, 13);  // 12.5 / 25 rounds up from row 13
    EXPECT_EQ(merged[1].bottom, 25);
    EXPECT_TRUE(GradientBands(0, 0xFFFFFF, 0).empty());
}

TEST(TitleBarPaint, FlatFillAt256ColoursWhateverTheGradient) {
    TTitleBar bar;
    bar.SetBounds(0, 0, 200, 25);
    bar.StartColor = clRed;
    bar.EndColor = clBlue;
    headless::RecordingCanvas canvas(8);
    bar.Paint(canvas);
    auto fills = canvas.Of(DrawOp::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (TRect{0, 0, 200, 25}));
    EXPECT_EQ(fills[0].color, headless::SystemColorValue(SystemColorIndex(clActiveCaption)));
}

TEST(TitleBarPaint, TitleDrawnAsShadowThenCaptionOffsetUpLeft) {
    TTitleBar bar;
    bar.SetBounds(0, 0, 300, 25);
    bar.UsePageLook();
    bar.Caption = "Alegeti tipul instalarii!";
    headless::RecordingCanvas canvas;
    bar.Paint(canvas);
    auto fills = canvas.Of(DrawOp::Fill);
    ASSERT_EQ(fills.size(), 1u);  // flat page bar
    EXPECT_EQ(fills[0].color, 0x8C4A08u);
    auto texts = canvas.Of(DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    // 13-pixel text is 15 high: top (25 - 15) / 2 = 5; left 10 + 5.
    EXPECT_EQ(texts[0].x, 15);
    EXPECT_EQ(texts[0].y, 5);
    EXPECT_EQ(texts[0].color, clBlack);
    EXPECT_EQ(texts[1].x, 14);
    EXPECT_EQ(texts[1].y, 4);
    EXPECT_EQ(texts[1].color, clWhite);
    bar.Grayed = true;
    headless::RecordingCanvas grey;
    bar.Paint(grey);
    EXPECT_EQ(grey.Of(DrawOp::Text)[1].color, headless::SystemColorValue(SystemColorIndex(clGrayText)));
}

TEST(TitleBarText, EdgesBesideTheIcon) {
    TitleTextPlacement p = PlaceTitleText(300, 25, 15, isNone);
    EXPECT_EQ(p.edgeLeft, 10);
    EXPECT_EQ(p.edgeRight, 280);
    TitleTextPlacement icon = PlaceTitleText(300, 25, 15, isSearch);
    EXPECT_EQ(icon.edgeLeft, TitleIconWidth / 2 + 15);
    EXPECT_EQ(icon.left, icon.edgeLeft + 5);
}

class SamplePage : public TTitleForm {
public:
    SamplePage() : TTitleForm("TSamplePage") {
        KeyPreview = true;
        SetClientSize(637, 114);
        AddTitleBar("Pagina");
        auto& next = Add<TMButton>("BNext");
        next.Caption = "&Continua";
        next.ModalResult = mrOk;
        auto& cancel = Add<TNiceButton>("BCancel");
        cancel.Kind = mkCancel;
        cancel.Caption = "&Abandon";
        FormCreate();
    }
    void FormCreate() override { created = true; }
    void FormKeyDown(int& key, TShiftState shift) override { HandlePageKeys(*this, key, shift); }
    bool created = false;
};

class PageTest : public ::testing::Test {
protected:
    void SetUp() override { UseHeadlessBackend(); }
    void TearDown() override { SetMainForm(nullptr); }
};

TEST_F(PageTest, PageFrameAndTitleBar) {
    SamplePage page;
    EXPECT_TRUE(page.created);
    EXPECT_EQ(page.Width, 643);
    EXPECT_EQ(page.Height, 141);
    ASSERT_NE(page.TitleBar1(), nullptr);
    EXPECT_EQ(page.TitleBar1()->Width, 637);
    EXPECT_EQ(page.TitleBar1()->Height, 25);
    EXPECT_FALSE(page.CloseCommandEnabled());
    EXPECT_TRUE(page.RomanianSystemMenu());
    EXPECT_TRUE(TMainForm().CloseCommandEnabled());
}

TEST_F(PageTest, AltMTogglesTheBackdropAndKeepsThePageInFront) {
    TForm backdrop;
    SetMainForm(&backdrop);
    backdrop.Show();
    SamplePage page;
    headless::Script script;
    script.OnForm<SamplePage>([&](SamplePage& p) {
        headless::PressKey(p, 'M', ssAlt);
        EXPECT_FALSE(backdrop.Visible);
        EXPECT_EQ(headless::Current().Front(), &p);
        headless::PressKey(p, 'M', ssAlt);
        EXPECT_TRUE(backdrop.Visible);
        EXPECT_EQ(headless::Current().Front(), &p);
        headless::PressKey(p, 'M');  // without Alt: nothing
        EXPECT_TRUE(backdrop.Visible);
        EXPECT_EQ(p.ModalResult, mrNone);
        headless::PressKey(p, vk::Escape);  // no cancel button on pages
        EXPECT_EQ(p.ModalResult, mrNone);
        headless::PressKey(p, 'A', ssAlt);  // the Abandon button's accelerator
    });
    EXPECT_EQ(page.ShowModal(), mrCancel);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(PageTest, ScriptRefusesAStepMeantForAnotherForm) {
    SamplePage page;
    headless::Script script;
    script.EndForm("TOther", mrOk);
    EXPECT_THROW(page.ShowModal(), headless::ScriptError);
    EXPECT_FALSE(script.Ok());
    EXPECT_NE(script.Error().find("TSamplePage"), std::string::npos);
    // Later modal showings fail too, so a loop that swallowed the error cannot go on.
    EXPECT_THROW(page.ShowModal(), headless::ScriptError);
}

TEST_F(PageTest, ClickingADisabledButtonIsAScriptError) {
    SamplePage page;
    page.Find<TMButton>("BNext")->Enabled = false;
    headless::Script script;
    script.OnForm("TSamplePage", [](TForm& f) { headless::Click(f, "&Continua"); });
    EXPECT_THROW(page.ShowModal(), headless::ScriptError);
}

TEST_F(PageTest, FormStaysOpenUntilAStepEndsIt) {
    SamplePage page;
    headless::Script script;
    int steps = 0;
    script.OnForm("TSamplePage", [&](TForm&) { ++steps; })  // leaves it open
        .OnForm("TSamplePage", [&](TForm& f) {
            ++steps;
            // The focus starts on BNext; Tab goes to BCancel and round again.
            headless::PressKey(f, vk::Tab);
            headless::PressKey(f, vk::Tab);
            headless::PressKey(f, vk::Return);  // the focused button
        });
    EXPECT_EQ(page.ShowModal(), mrOk);
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_FALSE(page.Visible);
}

}  // namespace
}  // namespace ui

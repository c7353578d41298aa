#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/Labels.h"
#include "ui/MessageBox.h"
#include "ui/MessageForm.h"
#include "ui/Panels.h"
#include "ui/TextWrap.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/RecordingCanvas.h"
#include "ui/headless/ScriptedUser.h"

namespace ui {
namespace {

using headless::DrawOp;

class KitCoreTest : public ::testing::Test {
protected:
    void SetUp() override { UseHeadlessBackend(); }
};

TEST(Accelerators, MarksAndDoubledAmpersands) {
    EXPECT_EQ(StripAccelerator("O&K").text, "OK");
    EXPECT_EQ(StripAccelerator("O&K").underline, 1);
    EXPECT_EQ(StripAccelerator("A && B").text, "A & B");
    EXPECT_EQ(StripAccelerator("A && B").underline, -1);
    EXPECT_EQ(StripAccelerator("end&").text, "end&");
    EXPECT_EQ(AcceleratorOf(" CLIEN&T"), 'T');
    EXPECT_EQ(AcceleratorOf("S&faturi"), 'F');
    EXPECT_EQ(AcceleratorOf("Cauta..."), 0);
}

TEST(Wrapping, BreaksAtCarriageReturnsAndBetweenWords) {
    auto width = [](const std::string& s) { return int(s.size()) * 6; };
    EXPECT_EQ(WrapText("A\rB", 1000, width), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(WrapText("A\r\nB\nC", 1000, width), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(WrapText("unu doi trei", 42, width), (std::vector<std::string>{"unu doi", "trei"}));
    // A word wider than the limit stands on its own line, whole.
    EXPECT_EQ(WrapText("a foarte-lung b", 30, width), (std::vector<std::string>{"a", "foarte-lung", "b"}));
    EXPECT_EQ(WrapText("", 30, width), std::vector<std::string>{""});
}

TEST_F(KitCoreTest, AlignedChildrenShareTheClientArea) {
    TPanel panel;
    panel.SetBounds(0, 0, 200, 100);
    auto& top = panel.Add<TPanel>("Top");
    top.Height = 25;
    top.Align = alTop;
    auto& bottom = panel.Add<TPanel>("Bottom");
    bottom.Height = 16;
    bottom.Align = alBottom;
    auto& rest = panel.Add<TPanel>("Rest");
    rest.Align = alClient;
    EXPECT_EQ(top.BoundsRect(), Bounds(0, 0, 200, 25));
    EXPECT_EQ(bottom.BoundsRect(), Bounds(0, 84, 200, 16));
    EXPECT_EQ(rest.BoundsRect(), Bounds(0, 25, 200, 59));
    panel.Width = 300;  // resizing realigns
    EXPECT_EQ(bottom.BoundsRect(), Bounds(0, 84, 300, 16));
    top.Visible = false;
    EXPECT_EQ(rest.BoundsRect(), Bounds(0, 0, 300, 84));
}

TEST_F(KitCoreTest, ChildrenFollowTheFormsFontUntilGivenTheirOwn) {
    TForm form;
    form.Font = FontSpec{"MS Sans Serif", 11, fsBold, clBlack};
    auto& follower = form.Add<TLabel>("A");
    auto& own = form.Add<TLabel>("B");
    EXPECT_TRUE(follower.Font.Bold());
    own.Font.Color = clRed;  // from a copy of the form's font
    EXPECT_TRUE(own.Font.Bold());
    EXPECT_FALSE(own.ParentFont);
    form.Font.Height = 13;
    EXPECT_EQ(follower.Font.Height, 13);
    EXPECT_EQ(own.Font.Height, 11);
    EXPECT_EQ(own.Font.Color, clRed);
}

TEST_F(KitCoreTest, LabelSizesToItsCaption) {
    TLabel label;
    label.Font = FontSpec{"MS Sans Serif", 11, 0, clBlack};
    label.Caption = "&Program:";  // 8 characters shown
    EXPECT_EQ(label.Width, 8 * 6);
    EXPECT_EQ(label.Height, 13);
    headless::RecordingCanvas canvas;
    label.Transparent = true;
    label.Paint(canvas);
    EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"Program:"});
    ASSERT_EQ(canvas.Of(DrawOp::Line).size(), 1u);  // the P underlined
    EXPECT_TRUE(canvas.Of(DrawOp::Fill).empty());
}

TEST_F(KitCoreTest, EnterPressesTheDefaultButtonUnlessAnotherButtonHasTheFocus) {
    TForm form;
    auto& edit = form.Add<TPanel>("Holder");  // not focusable
    (void)edit;
    auto& ok = form.Add<TNiceButton>("BtnOK");
    ok.Kind = mkOK;
    ok.Default = true;
    auto& cancel = form.Add<TNiceButton>("BtnRenunt");
    cancel.Kind = mkCancel;
    headless::Script script;
    script.OnForm("TForm", [&](TForm& f) {
        cancel.SetFocus();
        headless::PressKey(f, vk::Return);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    script.OnForm("TForm", [&](TForm& f) {
        f.ActiveControl = nullptr;
        headless::PressKey(f, vk::Return);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    // A plain letter reaches a button's accelerator when no edit box has the focus.
    script.OnForm("TForm", [&](TForm& f) { headless::PressKey(f, 'R'); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(KitCoreTest, NestedBoxFromAButtonHandlerTakesTheNextStep) {
    TTitleForm page("TPage");
    page.AddTitleBar("Pagina");
    auto& next = page.Add<TMButton>("BNext");
    next.Caption = "&Continua";
    int answer = -1;
    next.OnClick = [&] {
        answer = ShowMessageBox("Sigur?", "", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbNo, 0);
        if (answer == mrYes) page.ModalResult = mrOk;
    };
    headless::Script script;
    script.OnForm("TPage", [](TForm& f) { headless::Click(f, "BNext"); })
        .AnswerMessage("&Nu")
        .OnForm("TPage", [](TForm& f) { headless::Click(f, "&Continua"); })
        .AnswerMessage("Da");
    EXPECT_EQ(page.ShowModal(), mrOk);
    EXPECT_EQ(answer, mrYes);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 2u);
    EXPECT_EQ(script.Messages()[0].result, mrNo);
    EXPECT_EQ(script.Messages()[1].result, mrYes);
    EXPECT_EQ(script.Messages()[0].defaultButton, mbNo);
    EXPECT_EQ(script.FormsShown(), (std::vector<std::string>{"TPage", "TMessageForm", "TMessageForm"}));
}

TEST_F(KitCoreTest, ScriptErrorsNameWhatWasMissing) {
    TForm form("TDirs");
    form.Add<TPanel>("Panel");
    headless::Script script;
    script.OnForm("TDirs", [](TForm& f) { headless::Click(f, "BNext"); });
    try {
        form.ShowModal();
        FAIL() << "no error";
    } catch (const headless::ScriptError& error) {
        EXPECT_NE(std::string(error.what()).find("BNext"), std::string::npos);
    }
    EXPECT_FALSE(script.Ok());
}

TEST_F(KitCoreTest, PanelPaintsItsBevelsAndCaption) {
    TPanel row;
    row.SetBounds(0, 0, 120, 20);
    row.BevelOuter = bvNone;
    row.Alignment = taRightJustify;
    row.Caption = " Creare grup";
    row.Font = FontSpec{"MS Sans Serif", 11, fsBold, clBlack};
    headless::RecordingCanvas waiting;
    row.Paint(waiting);
    EXPECT_TRUE(waiting.Of(DrawOp::Line).empty());
    ASSERT_EQ(waiting.Of(DrawOp::Text).size(), 1u);
    const int width = 12 * 7;
    EXPECT_EQ(waiting.Of(DrawOp::Text)[0].x, 120 - width - 1);
    row.BevelOuter = bvRaised;
    row.Alignment = taLeftJustify;
    row.Font.Color = clRed;
    headless::RecordingCanvas finished;
    row.Paint(finished);
    auto lines = finished.Of(DrawOp::Line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].color, headless::SystemColorValue(SystemColorIndex(clBtnHighlight)));
    EXPECT_EQ(finished.Of(DrawOp::Text)[0].x, 2);
    EXPECT_EQ(finished.Of(DrawOp::Text)[0].color, clRed);
}

TEST_F(KitCoreTest, ButtonsPaintTheirKindsPictureAndHideTheCaptionWhenAsked) {
    TMButton browse;
    browse.Caption = "Cauta...";
    browse.CaptionVisible = false;
    headless::RecordingCanvas glyphOnly;
    browse.Paint(glyphOnly);
    EXPECT_TRUE(glyphOnly.Texts().empty());
    TNiceButton cancel;
    cancel.Kind = mkCancel;
    headless::RecordingCanvas both;
    cancel.Paint(both);
    EXPECT_EQ(both.Of(DrawOp::Bitmap).size(), 1u);
    EXPECT_EQ(both.Texts(), std::vector<std::string>{"Renunt"});
}

TEST_F(KitCoreTest, RemovingAControlClearsTheFocusOnIt) {
    TForm form;
    auto& button = form.Add<TMButton>("B");
    form.Show();
    EXPECT_EQ(form.ActiveControl, &button);
    form.Remove(button);
    EXPECT_EQ(form.ActiveControl, nullptr);
    EXPECT_EQ(form.FindControl("B"), nullptr);
}

}  // namespace
}  // namespace ui

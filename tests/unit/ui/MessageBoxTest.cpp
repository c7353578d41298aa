#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Application.h"
#include "ui/ErrorNote.h"
#include "ui/MessageBox.h"
#include "ui/MessageForm.h"
#include "ui/MessageLayout.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/RecordingCanvas.h"
#include "ui/headless/ScriptedUser.h"

namespace ui {
namespace {

using headless::Script;

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessBackend();
        MessageHeading.clear();
        QuickClose = QuickAnswer = false;
    }
    void TearDown() override {
        MessageHeading.clear();
        QuickClose = QuickAnswer = false;
        SetMainForm(nullptr);
    }
};

TEST(MessageLayout, WorkedExampleOneButton) {
    MessageLayout l = LayoutMessageBox({100, 13, 42, 64, 1, 25});
    EXPECT_EQ(l.panel, Bounds(16, 41, 184, 84));
    EXPECT_EQ(l.client, (TSize{216, 199}));
    EXPECT_EQ(l.picture, Bounds(10, 10, 42, 64));
    EXPECT_EQ(l.label, Bounds(68, 36, 100, 13));
    EXPECT_EQ(l.separatorTop, 141);
    EXPECT_EQ(l.separatorWidth, 216);
    EXPECT_EQ(l.strip, Bounds(42, 149, 132, 43));
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_EQ(l.buttons[0], Bounds(16, 8, 100, 28));
}

TEST(MessageLayout, FourButtonsWidenThePanelToTheStrip) {
    MessageLayout l = LayoutMessageBox({100, 13, 42, 64, 4, 25});
    EXPECT_EQ(l.strip.Width(), 432);
    EXPECT_GE(l.panel.Width(), 432);
    EXPECT_EQ(l.strip.Left, (l.client.cx - 432) / 2);
    ASSERT_EQ(l.buttons.size(), 4u);
    EXPECT_EQ(l.buttons[3].Left, 16 + 300);  // side by side, no gap
}

TEST(MessageLayout, TallTextCentresThePictureOnIt) {
    MessageLayout l = LayoutMessageBox({200, 130, 42, 64, 2, 25});
    EXPECT_EQ(l.label.Top, 16);
    EXPECT_EQ(l.picture.Top, 130 / 2 - 64 / 2 + 16);
    EXPECT_EQ(l.panel.Height(), 130 + 32);
}

TEST(MessageLayout, CustomKindKeepsThePictureMargin) {
    MessageLayout l = LayoutMessageBox({200, 13, 0, 0, 1, 25});
    EXPECT_EQ(l.panel.Width(), 200 + 32 + 10);
    EXPECT_EQ(l.label.Left, (l.panel.Width() - 10 - 200) / 2 + 10);
    EXPECT_EQ(l.panel.Height(), 55);
}

TEST(MessageRules, TitlesByKind) {
    EXPECT_STREQ(KindTitle(mtWarning), "Atentie !");
    EXPECT_STREQ(KindTitle(mtError), "EROARE !");
    EXPECT_STREQ(KindTitle(mtInformation), "Informatie...");
    EXPECT_STREQ(KindTitle(mtConfirmation), "Confirmare...");
    EXPECT_STREQ(KindTitle(mtCustom), "");
}

TEST(MessageRules, HeadingInUpperCaseWithCommaAndEmptyLine) {
    EXPECT_EQ(ApplyMessageHeading("Pentru continuare", "Introduceti discul 2"),
              "PENTRU CONTINUARE,\r\rIntroduceti discul 2");
    EXPECT_EQ(ApplyMessageHeading("", "text"), "text");
}

TEST(MessageRules, CancelKeyRules) {
    EXPECT_EQ(CancelSlot(Buttons({mbNo, mbCancel})), mbCancel);
    EXPECT_EQ(CancelSlot(Buttons({mbYes, mbNo, mbCancel})), mbCancel);
    EXPECT_EQ(CancelSlot(Buttons({mbOK})), mbOK);
    EXPECT_EQ(CancelSlot(Buttons({mbOK, mbCancel})), -1);
    EXPECT_EQ(CancelSlot(Buttons({mbCancel})), -1);
    EXPECT_EQ(CancelSlot(Buttons({mbYes, mbNo})), -1);
}

TEST(MessageRules, SetsWithTwoButtonsOfOneNameOrNoWayOutAreRefused) {
    EXPECT_FALSE(ButtonSetAllowed(Buttons({mbNo, mbNoToAll})));
    EXPECT_FALSE(ButtonSetAllowed(Buttons({mbAll, mbYesToAll})));
    EXPECT_FALSE(ButtonSetAllowed(0));
    EXPECT_FALSE(ButtonSetAllowed(Buttons({mbHelp})));
    EXPECT_TRUE(ButtonSetAllowed(Buttons({mbYes, mbNoToAll, mbYesToAll})));
}

TEST_F(MessageBoxTest, RefusedSetThrowsAndIsNotedBeforeAnythingIsShown) {
    std::vector<std::string> notes;
    SetErrorNote([&](const std::string& text) { notes.push_back(text); });
    Script script;
    EXPECT_THROW(ShowMessageBox("x", "", mtWarning, taCenter, Buttons({mbNo, mbNoToAll}), mbNo, 0),
                 std::invalid_argument);
    SetErrorNote(nullptr);
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("refuzata"), std::string::npos) << notes[0];
}

TEST_F(MessageBoxTest, AFinalCarriageReturnAddsNoLine) {
    TMessageForm one, ended;
    BuildMessageForm(one, "Versiune veche", "", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0);
    BuildMessageForm(ended, "Versiune veche\r", "", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0);
    EXPECT_EQ(ended.MessageLabel->Height, one.MessageLabel->Height);
    EXPECT_EQ(ended.ClientHeight(), one.ClientHeight());
}

TEST_F(MessageBoxTest, RecordsWhatTheUserSawAndReturnsThePressedButton) {
    Script script;
    script.AnswerMessage("&Renunt");
    uint16_t result = ShowMessageBox("Nu am putut incarca UPGRADE.DLL", "Program incomplet!", mtError,
                                     taCenter, Buttons({mbCancel}), mbCancel, 0);
    EXPECT_EQ(result, mrCancel);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    const headless::ShownMessage& m = script.Messages()[0];
    EXPECT_EQ(m.text, "Nu am putut incarca UPGRADE.DLL");
    EXPECT_EQ(m.title, "Program incomplet!");
    EXPECT_EQ(m.kind, mtError);
    EXPECT_EQ(m.buttons, Buttons({mbCancel}));
    EXPECT_EQ(m.defaultButton, mbCancel);
    EXPECT_EQ(m.captions, std::vector<std::string>{"&Renunt"});
    EXPECT_EQ(m.result, mrCancel);
}

TEST_F(MessageBoxTest, EmptyTitleTakesTheKindsTitle) {
    Script script;
    script.AnswerMessage("O&K");
    ShowMessageBox("A\rB", "", mtError, taCenter, Buttons({mbOK}), mbOK, 0);
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].title, "EROARE !");
}

TEST_F(MessageBoxTest, EnterAndEscapeFollowTheDefaultAndCancelRules) {
    Script script;
    // OK + Cancel, default OK: Escape does nothing, Enter gives 1.
    script.OnMessage([](TMessageForm& box) {
        headless::PressKey(box, vk::Escape);
        EXPECT_EQ(box.ModalResult, mrNone);
        headless::PressKey(box, vk::Return);
    });
    // OK alone: Escape gives 1.
    script.OnMessage([](TMessageForm& box) { headless::PressKey(box, vk::Escape); });
    // Yes + No, default No: Enter gives 7.
    script.OnMessage([](TMessageForm& box) { headless::PressKey(box, vk::Return); });
    EXPECT_EQ(ShowMessageBox("Disc", "", mtWarning, taCenter, Buttons({mbOK, mbCancel}), mbOK, 0), mrOk);
    EXPECT_EQ(ShowMessageBox("Gata", "", mtInformation, taCenter, Buttons({mbOK}), mbOK, 0), mrOk);
    EXPECT_EQ(ShowMessageBox("Sigur?", "", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbNo, 0), mrNo);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(MessageBoxTest, CloseCommandIsDisabledInEveryBox) {
    Script script;
    script.OnMessage([](TMessageForm& box) {
        EXPECT_FALSE(box.CloseCommandEnabled());
        headless::Click(box, "BtnOK");
    });
    ShowMessageBox("x", "", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(MessageBoxTest, HeadingMakesThreeLines) {
    MessageHeading = "Pentru continuare";
    Script script;
    TMessageForm* seen = nullptr;
    std::vector<FmtLine> lines;
    script.OnMessage([&](TMessageForm& box) {
        seen = &box;
        headless::RecordingCanvas canvas;
        box.MessageLabel->Paint(canvas);
        lines = box.MessageLabel->ParsedLines();
        headless::Click(box, "O&K");
    });
    ShowMessageBox("Introduceti discul 2", "", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0);
    ASSERT_NE(seen, nullptr);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0][0].text, "PENTRU CONTINUARE,");
    EXPECT_EQ(lines[1][0].text, "");
    EXPECT_EQ(lines[2][0].text, "Introduceti discul 2");
}

TEST_F(MessageBoxTest, BoxIsBuiltToTheLayoutAndCentred) {
    TMessageForm box;
    BuildMessageForm(box, std::string(16, 'x'), "T", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0);
    // 16 bold 11-pixel characters measure 7 x 16 = 112 by 13 in the headless metrics.
    MessageLayout l = LayoutMessageBox({112, 13, 42, 64, 1, 25});
    EXPECT_EQ(box.ClientWidth(), l.client.cx);
    EXPECT_EQ(box.ClientHeight(), l.client.cy);
    EXPECT_EQ(box.Panel->BoundsRect(), l.panel);
    EXPECT_EQ(box.MessageLabel->BoundsRect(), l.label);
    EXPECT_EQ(box.Strip->BoundsRect(), l.strip);
    EXPECT_EQ(box.Left, 1024 / 2 - box.Width / 2);
    EXPECT_EQ(box.Top, 768 / 2 - box.Height / 2);
    EXPECT_EQ(box.Caption, "T");
    EXPECT_NE(box.Find<TNiceButton>("BtnOK"), nullptr);
}

TEST_F(MessageBoxTest, AtAnyDpiTheBoxKeepsItsLayoutAndIsCentredOnTheScreen) {
    // 1024 x 768 pixels at 144 DPI are 683 x 512 units; the kit scales the box itself.
    headless::Current().SetScreen(1024, 768, 32, 144);
    TMessageForm box;
    BuildMessageForm(box, std::string(16, 'x'), "T", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0);
    MessageLayout l = LayoutMessageBox({112, 13, 42, 64, 1, 25});
    EXPECT_EQ(box.ClientWidth(), l.client.cx);
    EXPECT_EQ(box.Panel->BoundsRect(), l.panel);
    EXPECT_EQ(box.Left, 683 / 2 - box.Width / 2);
    EXPECT_EQ(box.Top, 512 / 2 - box.Height / 2);
}

TEST_F(MessageBoxTest, LongTextWrapsAtHalfTheScreen) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "cuvant ";
    TMessageForm box;
    BuildMessageForm(box, text, "", mtInformation, taCenter, Buttons({mbOK}), mbOK, 0);
    EXPECT_LE(box.MessageLabel->Width, 512);
    EXPECT_GT(box.MessageLabel->Height, 13);
    EXPECT_EQ(box.MessageLabel->Height % 13, 0);  // whole lines of 13 pixels
}

TEST_F(MessageBoxTest, ModalBoxWithoutAScriptFailsLoudly) {
    EXPECT_THROW(ShowMessageBox("x", "", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0), headless::ScriptError);
    Script script;  // a script with no step left also fails
    EXPECT_THROW(ShowMessageBox("x", "", mtWarning, taCenter, Buttons({mbOK}), mbOK, 0), headless::ScriptError);
    EXPECT_FALSE(script.Ok());
}

}  // namespace
}  // namespace ui

#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MessageBox.h"
#include "ui/MessageForm.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/ScriptedUser.h"

namespace ui {
namespace {

using headless::Script;

class QuickModesTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessBackend();
        MessageHeading.clear();
        QuickClose = QuickAnswer = false;
        SetMainForm(&main_);
    }
    void TearDown() override {
        QuickClose = QuickAnswer = false;
        SetMainForm(nullptr);
    }
    uint16_t Box(TMsgDlgButtons buttons, TMsgDlgBtn defaultButton) {
        return ShowMessageBox("Mesaj", "", mtWarning, taCenter, buttons, defaultButton, 0);
    }
    TForm main_;
};

TEST_F(QuickModesTest, RightButtonPressesTheDefaultButton) {
    Script script;
    script.OnMessage([](TMessageForm& box) { box.PressOn(*box.Panel, TMouseButton::mbRight); });
    EXPECT_EQ(Box(Buttons({mbYes, mbNo}), mbNo), mrNo);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(QuickModesTest, LeftPressesOnOtherPartsDoNothing) {
    Script script;
    script.OnMessage([](TMessageForm& box) {
        for (int i = 0; i < 4; ++i) box.PressOn(*box.Panel, TMouseButton::mbLeft);
        box.PressOn(*box.MessageLabel, TMouseButton::mbLeft);
        EXPECT_EQ(box.ModalResult, mrNone);
        EXPECT_EQ(box.PicturePresses(), 0);
        headless::Click(box, "BtnOK");
    });
    EXPECT_EQ(Box(Buttons({mbOK}), mbOK), mrOk);
    EXPECT_FALSE(QuickClose);
}

TEST_F(QuickModesTest, ThirdPictureClickTogglesQuickCloseAndEndsWithIgnore) {
    Script script;
    script.OnMessage([](TMessageForm& box) {
        box.PressOn(*box.Image, TMouseButton::mbLeft);
        box.PressOn(*box.Image, TMouseButton::mbLeft);
        EXPECT_EQ(box.ModalResult, mrNone);
        box.PressOn(*box.Image, TMouseButton::mbLeft);
    });
    EXPECT_EQ(Box(Buttons({mbOK}), mbOK), mrIgnore);
    EXPECT_TRUE(QuickClose);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(QuickModesTest, QuickCloseClosesOneButtonBoxesAfterTwoTicks) {
    QuickClose = true;
    Script script;
    script.OnMessage([](TMessageForm& box) {
        headless::Current().AdvanceTime(300);  // first tick: countdown 1 -> 0
        EXPECT_EQ(box.ModalResult, mrNone);
        headless::Current().AdvanceTime(300);  // second tick finds 0: closed with 2
    });
    EXPECT_EQ(Box(Buttons({mbOK}), mbOK), mrCancel);
    EXPECT_EQ(headless::Current().ActiveTimers(), 0u);
    // Two buttons: no timer; the user answers.
    script.AnswerMessage("&Nu");
    EXPECT_EQ(Box(Buttons({mbYes, mbNo}), mbYes), mrNo);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(QuickModesTest, QuickCloseNeedsTheMainWindow) {
    QuickClose = true;
    SetMainForm(nullptr);
    Script script;
    script.OnMessage([](TMessageForm& box) {
        headless::Current().AdvanceTime(1000);
        EXPECT_EQ(box.ModalResult, mrNone);
        headless::Click(box, "O&K");
    });
    EXPECT_EQ(Box(Buttons({mbOK}), mbOK), mrOk);
}

TEST_F(QuickModesTest, QuickAnswerPressesTheDefaultButtonAtTheShortestInterval) {
    Script script;
    // Picture presses in a two-button box toggle quick answer and press the default.
    script.OnMessage([](TMessageForm& box) {
        for (int i = 0; i < 3; ++i) box.PressOn(*box.Image, TMouseButton::mbLeft);
    });
    EXPECT_EQ(Box(Buttons({mbYes, mbNo}), mbYes), mrYes);
    EXPECT_TRUE(QuickAnswer);
    script.OnMessage([](TMessageForm&) { headless::Current().AdvanceTime(2); });
    EXPECT_EQ(Box(Buttons({mbOK, mbCancel}), mbCancel), mrCancel);
    // Without a default button nothing is pressed.
    script.OnMessage([](TMessageForm& box) {
        headless::Current().AdvanceTime(50);
        EXPECT_EQ(box.ModalResult, mrNone);
        headless::Click(box, "&Da");
    });
    EXPECT_EQ(Box(Buttons({mbYes, mbNo}), mbHelp), mrYes);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

TEST_F(QuickModesTest, HelpButtonLeavesTheBoxOpen) {
    Script script;
    script.OnMessage([](TMessageForm& box) {
        headless::Click(box, "S&faturi");
        EXPECT_EQ(box.ModalResult, mrNone);
        headless::Click(box, "O&K");
    });
    EXPECT_EQ(Box(Buttons({mbOK, mbHelp}), mbOK), mrOk);
}

}  // namespace
}  // namespace ui

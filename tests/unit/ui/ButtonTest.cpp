#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/headless/ScriptedUser.h"

namespace ui {
namespace {

TEST(ButtonKinds, FiftyEightKindsWithTheirDefaults) {
    EXPECT_EQ(ButtonKindCount, 58);
    EXPECT_STREQ(KindInfo(mkFirst).name, "mkFirst");
    EXPECT_STREQ(KindInfo(mkAction).name, "mkAction");
    EXPECT_STREQ(KindInfo(mknNext).name, "mknNext");
    struct Expected {
        TMButtonKind kind;
        const char* caption;
        int result;
    };
    const Expected table[] = {
        {mkOK, "O&K", mrOk},          {mkCancel, "&Renunt", mrCancel}, {mkYes, "&Da", mrYes},
        {mkNo, "&Nu", mrNo},          {mkClose, "I&esire", mrCancel},  {mkAbort, "&Abandon", mrAbort},
        {mkRetry, "&Retry", mrRetry}, {mkIgnore, "&Ignora", mrIgnore}, {mkAll, "&Toate", mrAll},
        {mkHelp, "S&faturi", 0},      {mkSave, "Salve&z", 0},          {mkMail, "E&Mail", 0},
        {mkAction, "?", 0},           {mkFirst, "f", 0},               {mkPrev, "&p", 0},
        {mkCustom, "", 0},            {mknNext, "", 0},                {mkPermis, "", 0},
    };
    for (const Expected& e : table) {
        EXPECT_EQ(DefaultCaption(e.kind), e.caption) << KindInfo(e.kind).name;
        EXPECT_EQ(DefaultResult(e.kind), e.result) << KindInfo(e.kind).name;
    }
}

TEST(Buttons, NewButtonsHaveTheirSizes) {
    TMButton m;
    TNiceButton n;
    EXPECT_EQ(m.Width, 90);
    EXPECT_EQ(m.Height, 40);
    EXPECT_EQ(n.Width, 100);
    EXPECT_EQ(n.Height, 28);
    EXPECT_EQ(m.Kind, mkCustom);
    EXPECT_EQ(n.Kind, mkCustom);
}

TEST(Buttons, NiceButtonKeepsThePagesCaptionInEitherOrder) {
    TNiceButton kindFirst;
    kindFirst.Kind = mkCancel;
    EXPECT_EQ(kindFirst.Caption, "&Renunt");
    EXPECT_EQ(kindFirst.ModalResult, mrCancel);
    kindFirst.Caption = "&Abandon";
    EXPECT_EQ(kindFirst.Caption, "&Abandon");

    TNiceButton captionFirst;
    captionFirst.Caption = "&Abandon";
    captionFirst.Kind = mkCancel;
    EXPECT_EQ(captionFirst.Caption, "&Abandon");
    EXPECT_EQ(captionFirst.ModalResult, mrCancel);
}

TEST(Buttons, ExplicitModalResultSurvivesAKindChange) {
    TMButton button;
    button.ModalResult = mrRetry;
    button.Kind = mkOK;
    EXPECT_EQ(button.ModalResult, mrRetry);
    EXPECT_EQ(button.Caption, "O&K");

    TMButton close;  // the end page's exit button: close kind with its own result 1
    close.Caption = "I&esire";
    close.Kind = mkClose;
    close.ModalResult = mrOk;
    EXPECT_EQ(close.ModalResult, mrOk);
    EXPECT_EQ(close.Caption, "I&esire");

    TNiceButton nice;
    nice.ModalResult = mrNone;  // set explicitly, even to 0
    nice.Kind = mkCancel;
    EXPECT_EQ(nice.ModalResult, mrNone);
}

TEST(Buttons, MButtonTakesKindCaptionOnlyWhenEmptyAndHidesItForNavigationKinds) {
    TMButton named;
    named.Caption = "&Continua";
    named.Kind = mkOK;
    EXPECT_EQ(named.Caption, "&Continua");
    EXPECT_EQ(named.ModalResult, mrOk);
    TMButton first;
    first.Kind = mkLast;
    EXPECT_FALSE(first.CaptionVisible);
    TMButton plain;
    plain.Kind = mkYes;
    EXPECT_TRUE(plain.CaptionVisible);
}

TEST(Buttons, ModalResultIsSetBeforeTheClickHandlerRuns) {
    UseHeadlessBackend();
    TForm form;
    auto& button = form.Add<TNiceButton>("BCancel");
    button.Kind = mkCancel;
    int seen = -1;
    button.OnClick = [&] { seen = form.ModalResult; };
    headless::Script script;
    script.OnForm("TForm", [](TForm& f) { headless::Click(f, "&Renunt"); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(seen, mrCancel);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

}  // namespace
}  // namespace ui

#include <gtest/gtest.h>

#include "core/InstallState.h"
#include "pages/wizard/EndScreen.h"
#include "ui/headless/ScriptedUser.h"

using pages::TEndScreen;

TEST(EndScreenPage, SaysTheInstallationEndedAndNamesTheDefaultUser) {
    const std::vector<std::string> expected = {
        "", "Instalarea s-a terminat cu succes!", "", "Utilizator implicit:  \"Master\", ", "cu parola de acces 1"};
    EXPECT_EQ(pages::EndMessageLines(), expected);
    TEndScreen page;
    EXPECT_EQ(page.Memo1->Lines.get(), expected);
    EXPECT_EQ(page.Memo1->Color.get(), 14671839u);
    EXPECT_EQ(page.Memo1->Alignment.get(), ui::taCenter);
}

TEST(EndScreenPage, ExitEndsTheWizardAndBackReturnsToTheConfiguration) {
    for (auto [caption, result] : {std::pair{"I&esire", 1}, {"&Inapoi", 4}}) {
        core::ResetState();
        ui::headless::Script script;
        script.OnForm<TEndScreen>([caption = caption](TEndScreen& page) { ui::headless::Click(page, caption); });
        TEndScreen page;
        EXPECT_EQ(core::State().PageNo, 4);
        EXPECT_EQ(page.ShowModal(), result) << caption;
        EXPECT_TRUE(script.Ok()) << script.Error();
    }
}

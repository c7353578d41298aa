#include <gtest/gtest.h>

#include "core/InstallState.h"
#include "pages/fresh/IType.h"
#include "ui/headless/ScriptedUser.h"

using pages::TIType;
using ui::headless::Click;
using ui::headless::PressKey;
using ui::headless::Script;

namespace {
const char* const kItems[] = {" &LOCAL     - programul va fi folosit numai pe acest calculator",
                              " &SERVER  - acest calculator va contine baza de date",
                              " CLIEN&T    - programul va folosi o baza de date aflata la distanta"};
}

TEST(ITypePage, FirstVisitWaitsForAChoiceByClickOrAccelerator) {
    struct Pick {
        const char* how;
        std::function<void(TIType&)> act;
        int kind;
    } picks[] = {
        {"click LOCAL", [](TIType& p) { Click(p, kItems[0]); }, core::InstallLocal},
        {"click SERVER", [](TIType& p) { Click(p, kItems[1]); }, core::InstallServer},
        {"click CLIENT", [](TIType& p) { Click(p, kItems[2]); }, core::InstallClient},
        {"Alt+L", [](TIType& p) { PressKey(p, 'L', ui::ssAlt); }, core::InstallLocal},
        {"Alt+S", [](TIType& p) { PressKey(p, 'S', ui::ssAlt); }, core::InstallServer},
        {"Alt+T", [](TIType& p) { PressKey(p, 'T', ui::ssAlt); }, core::InstallClient},
    };
    for (const Pick& pick : picks) {
        core::ResetState();
        Script script;
        script.OnForm<TIType>([&](TIType& page) {
            EXPECT_EQ(page.IType->ItemIndex.get(), -1) << pick.how;
            EXPECT_FALSE(page.BNext->Enabled) << pick.how;
            PressKey(page, 'M', ui::ssAlt);  // toggles the backdrop only
            EXPECT_EQ(page.IType->ItemIndex.get(), -1);
            pick.act(page);
            EXPECT_TRUE(page.BNext->Enabled) << pick.how;
            Click(page, "&Continua");
        });
        TIType page;
        EXPECT_EQ(core::State().PageNo, 0);
        EXPECT_EQ(page.IType->Button(2)->EffectiveFont(), pages::BoldPageFont()) << "the page's bold font";
        EXPECT_EQ(page.BNext->EffectiveFont(), pages::BoldPageFont());
        EXPECT_EQ(page.ShowModal(), 1) << pick.how;
        EXPECT_EQ(core::State().InstallType, pick.kind) << pick.how;
        EXPECT_TRUE(script.Ok()) << script.Error();
    }
}

TEST(ITypePage, ComingBackShowsTheEarlierChoiceAndAbandonEnds) {
    core::ResetState();
    core::State().InstallType = core::InstallServer;
    Script script;
    script.OnForm<TIType>([](TIType& page) {
        EXPECT_EQ(page.IType->ItemIndex.get(), 1);
        EXPECT_TRUE(page.BNext->Enabled);
        Click(page, "&Abandon");
    });
    TIType page;
    EXPECT_EQ(page.ShowModal(), 2);
    EXPECT_EQ(core::State().InstallType, core::InstallServer);
    EXPECT_TRUE(script.Ok()) << script.Error();
}

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/InstallState.h"
#include "pages/wizard/WizardPage.h"
#include "ui/Application.h"
#include "ui/TitleBar.h"
#include "ui/headless/ScriptedUser.h"

using pages::ButtonClass;
using pages::PageButton;

namespace {

class SamplePage : public pages::TWizardPage {
public:
    SamplePage() : TWizardPage("TSamplePage", 3, "Titlul paginii") {
        AddStandardButton({PageButton::Back, ui::Bounds(10, 30, 67, 50)});
        AddStandardButton({PageButton::Next, ui::Bounds(80, 30, 67, 50)});
        AddStandardButton({PageButton::Cancel, ui::Bounds(10, 84, 140, 24), ButtonClass::Nice});
        FormCreate();
    }
};

class ExitPage : public pages::TWizardPage {
public:
    ExitPage() : TWizardPage("TExitPage", 4, "Finalizare") {
        AddStandardButton({PageButton::Cancel, ui::Bounds(82, 52, 67, 50), ButtonClass::Push, ui::mkClose,
                           "I&esire", ui::mrOk});
        FormCreate();
    }
};

}  // namespace

TEST(WizardPage, RecordsItsNumberAndDressesTheStandardButtons) {
    core::ResetState();
    SamplePage page;
    EXPECT_EQ(core::State().PageNo, 3);
    EXPECT_EQ(page.Caption.get(), "Titlul paginii");
    ASSERT_NE(page.TitleBar1(), nullptr);
    EXPECT_EQ(page.TitleBar1()->Caption.get(), "Titlul paginii");
    EXPECT_EQ(page.ClientWidth(), 637);
    EXPECT_EQ(page.ClientHeight(), 114);
    EXPECT_TRUE(page.KeyPreview);

    struct Row {
        ui::TButtonControl* button;
        const char* name;
        const char* caption;
        int result;
    } rows[] = {{page.BBack, "BBack", "&Inapoi", 4}, {page.BNext, "BNext", "&Continua", 1},
                {page.BCancel, "BCancel", "&Abandon", 2}};
    for (const Row& row : rows) {
        ASSERT_NE(row.button, nullptr) << row.name;
        EXPECT_EQ(row.button->Name.get(), row.name);
        EXPECT_EQ(row.button->Caption.get(), row.caption);
        EXPECT_EQ(row.button->ModalResult.get(), row.result) << row.name;
        EXPECT_FALSE(row.button->Default || row.button->Cancel) << "Enter and Escape are not a page's";
    }
    auto* cancel = dynamic_cast<ui::TNiceButton*>(page.BCancel);
    ASSERT_NE(cancel, nullptr) << "the row asked for the flat button";
    EXPECT_EQ(cancel->Kind.get(), ui::mkCancel);
    EXPECT_EQ(page.BCancel->Width.get(), 140);
    EXPECT_FALSE(page.BNext->Glyph.get().Empty()) << "a custom Continue shows a picture of its own";

    ExitPage exit;
    EXPECT_EQ(exit.BBack, nullptr);
    auto* close = dynamic_cast<ui::TMButton*>(exit.BCancel);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Kind.get(), ui::mkClose);
    EXPECT_EQ(close->Caption.get(), "I&esire");
    EXPECT_EQ(close->ModalResult.get(), 1) << "the row's result, not the kind's";
}

TEST(WizardPage, ButtonsEndTheModalPageWithTheirResults) {
    for (auto [caption, result] : {std::pair{"&Inapoi", 4}, {"&Continua", 1}, {"&Abandon", 2}}) {
        ui::headless::Script script;
        script.OnForm<SamplePage>([caption = caption](SamplePage& page) { ui::headless::Click(page, caption); });
        SamplePage page;
        EXPECT_EQ(page.ShowModal(), result) << caption;
        EXPECT_TRUE(script.Ok()) << script.Error();
    }
}

TEST(WizardPage, WorkingDisablesTheButtonsAndRestoresThemOnEveryWayOut) {
    SamplePage page;
    page.BNext->Enabled = false;  // the page had Continue off before the work
    try {
        auto working = page.Working();
        EXPECT_FALSE(page.BBack->Enabled || page.BNext->Enabled || page.BCancel->Enabled);
        throw std::runtime_error("the work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(page.BBack->Enabled);
    EXPECT_TRUE(page.BCancel->Enabled);
    EXPECT_FALSE(page.BNext->Enabled) << "a button off before the work stays off";
}

TEST(WizardPage, AltMTogglesTheBackdropAndOtherKeysGoOn) {
    ui::TMainForm backdrop;
    ui::SetMainForm(&backdrop);
    backdrop.Show();
    SamplePage page;
    int key = 'M';
    page.FormKeyDown(key, ui::ssAlt);
    EXPECT_EQ(key, 0) << "the page used the key";
    EXPECT_FALSE(backdrop.Visible);
    key = 'M';
    page.FormKeyDown(key, ui::ssAlt | ui::ssShift);
    EXPECT_TRUE(backdrop.Visible);
    key = 'M';
    page.FormKeyDown(key, 0);
    EXPECT_EQ(key, 'M') << "M without Alt is the focused control's";
    ui::SetMainForm(nullptr);
}

// Every page of the wizard gives its first focus to the control its next step needs, so
// that Enter there never abandons the installation or goes back.
#include <gtest/gtest.h>

#include "core/InstallState.h"
#include "pages/wizard/PageTable.h"
#include "tests/support/VirtualMachine.h"
#include "ui/Form.h"
#include "ui/headless/ScriptedUser.h"

namespace {

class FirstFocusTest : public testing_support::VirtualMachineTest {};

TEST_F(FirstFocusTest, EachPageFocusesItsNextStepOrItsFieldNeverBackOrAbandon) {
    struct Case {
        int pageNo;
        uint8_t installType;
        const char* focused;
    } cases[] = {
        {0, core::InstallNone, "ITypeItem0"},  // nothing chosen yet: the first kind
        {0, core::InstallServer, "ITypeItem1"},
        {1, core::InstallLocal, "RProgram"},
        {2, core::InstallLocal, "BNext"},
        {3, core::InstallLocal, "BNext"},
        {4, core::InstallLocal, "BCancel"},  // "I&esire": leaving is the next step
        {6, core::InstallNone, "RProgram"},
        {7, core::InstallLocal, "BNext"},
        {8, core::InstallLocal, "BNext"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pageNo);
        core::ResetState();
        core::State().InstallType = c.installType;
        std::string focused;
        ui::headless::Script script;
        script.OnForm(pages::PageTable()[size_t(c.pageNo)].name, [&](ui::TForm& page) {
            focused = page.ActiveControl ? page.ActiveControl->Name.get() : "(none)";
            page.ModalResult = ui::mrCancel;
        });
        pages::PageTable()[size_t(c.pageNo)].create()->ShowModal();
        ASSERT_TRUE(script.Ok()) << script.Error();
        EXPECT_EQ(focused, c.focused);
    }
}

}  // namespace

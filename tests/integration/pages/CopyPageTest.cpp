// The file copy page as a user meets it: Continue does the whole copy and the page ends
// with 1; a refused disk ends it with 2; a failed copy keeps it open, its buttons enabled.
#include "core/EngineHooks.h"
#include "pages/fresh/CopyPage.h"
#include "tests/integration/pages/CopyMediaFixture.h"
#include "ui/headless/HeadlessBackend.h"

using namespace pages;
using namespace work;

namespace {

using CopyPageTest = copy_test::CopyMediaTest;

bool ButtonsEnabled(const TCopy& page) { return page.BBack->Enabled && page.BNext->Enabled && page.BCancel->Enabled; }
bool ButtonsDisabled(const TCopy& page) {
    return !page.BBack->Enabled && !page.BNext->Enabled && !page.BCancel->Enabled;
}

TEST_F(CopyPageTest, ContinueCopiesFromFloppiesWithItsButtonsOffWhileItWorks) {
    MakeFloppies();
    ui::headless::Script script;
    TCopy* shown = nullptr;
    bool offDuringWork = false;
    script.OnForm<TCopy>([&](TCopy& page) {
        shown = &page;
        EXPECT_EQ(page.LGroupName->Caption.get(), "Apasa 'Continua' pentru a incepe instalarea.....");
        ui::headless::Click(page, "&Continua");
    });
    script.OnMessage([&](ui::TMessageForm& box) {
        offDuringWork = ButtonsDisabled(*shown);
        Machine().AddDrive('A', plat::DriveType::Removable, DiskFolder(2));
        ui::headless::Click(box, "OK");
    });
    ChangeDiskOnRequest(script, 3);
    TCopy page;
    EXPECT_EQ(core::State().PageNo, 2);
    EXPECT_EQ(page.ShowModal(), ui::mrOk);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(offDuringWork);
    EXPECT_EQ(page.CopyProgress->Progress.get(), 3);
    EXPECT_EQ(page.CopyProgress->MaxValue.get(), 3);
    EXPECT_EQ(page.UnzipProgress->Progress.get(), 100);
    EXPECT_EQ(ReadFile("C:\\WinTorv\\MIRDAN.EXE"), "mirdan");
}

TEST_F(CopyPageTest, RenuntAtTheDiskBoxEndsThePageWithTwo) {
    MakeFloppies();
    ui::headless::Script script;
    script.OnForm<TCopy>([](TCopy& page) { ui::headless::Click(page, "&Continua"); });
    script.AnswerMessage("Renunt");
    TCopy page;
    EXPECT_EQ(page.ShowModal(), ui::mrCancel);
    ASSERT_TRUE(script.Ok()) << script.Error();
}

TEST_F(CopyPageTest, AFailedCopyKeepsThePageOpenAndContinueTriesAgain) {
    archives_["EXE"][200] ^= 0x40;
    MakeCd();
    ui::headless::Script script;
    script.OnForm<TCopy>([](TCopy& page) { ui::headless::Click(page, "&Continua"); });
    script.AnswerMessage("OK");
    script.OnForm<TCopy>([&](TCopy& page) {
        EXPECT_TRUE(ButtonsEnabled(page));
        EXPECT_EQ(page.LGroupName->Caption.get(), "Copierea nu a reusit. Apasa 'Continua' pentru a incerca din nou.");
        WriteHostFiles(root_ + "/cd", {{"EXE.1", copy_test::ArchiveOf(copy_test::Product().at("EXE"))}});
        ui::headless::Click(page, "&Continua");
    });
    TCopy page;
    EXPECT_EQ(page.ShowModal(), ui::mrOk) << "the second try, from mended media, succeeds";
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(script.Messages()[0].kind, ui::mtError);
    EXPECT_EQ(ReadFile("C:\\WinTorv\\TORVEX.EXE"), copy_test::Product().at("EXE").at("TORVEX.EXE"));
}

TEST_F(CopyPageTest, AWrongDiskIsAskedForAgain) {
    MakeFloppies();
    ui::headless::Script script;
    script.OnForm<TCopy>([](TCopy& page) { ui::headless::Click(page, "&Continua"); });
    ChangeDiskOnRequest(script, 3);  // disk 3 when disk 2 is asked for
    ChangeDiskOnRequest(script, 2);
    ChangeDiskOnRequest(script, 3);
    TCopy page;
    EXPECT_EQ(page.ShowModal(), ui::mrOk);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(requests_.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(requests_[i].back(), "223"[i]) << "the disk asked for: " << requests_[i];
    EXPECT_EQ(ReadFile("C:\\WinTorv\\TORVEX.EXE"), copy_test::Product().at("EXE").at("TORVEX.EXE"));
    EXPECT_EQ(page.UnzipProgress->Progress.get(), 100);
}

TEST_F(CopyPageTest, AnIncompleteSetIsReportedAndThePageStaysOpen) {
    struct Case {
        const char* removed;  // on the floppy set
        const char* reported;
    } cases[] = {
        {"disk2/EXE.2", "Arhiva EXE.ZIP nu a fost decompresata complet:"},  // a piece missing on a later disk
        {"disk1/EXE.1", "arhiva lipseste sau este deteriorata"},             // the set without its .1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.removed);
        TearDown();
        SetUp();
        MakeFloppies();
        std::filesystem::remove(root_ + "/" + c.removed);
        ui::headless::Script script;
        bool reopened = false;
        script.OnForm<TCopy>([](TCopy& page) { ui::headless::Click(page, "&Continua"); });
        ChangeDiskOnRequest(script, 2);
        ChangeDiskOnRequest(script, 3);
        script.AnswerMessage("OK");
        script.OnForm<TCopy>([&](TCopy& page) {
            reopened = page.BNext->Enabled && page.BCancel->Enabled;
            ui::headless::Click(page, "&Abandon");
        });
        TCopy page;
        EXPECT_EQ(page.ShowModal(), ui::mrCancel);
        ASSERT_TRUE(script.Ok()) << script.Error();
        EXPECT_TRUE(reopened);
        ASSERT_EQ(script.Messages().size(), 3u);
        EXPECT_NE(script.Messages()[2].text.find(c.reported), std::string::npos) << script.Messages()[2].text;
        EXPECT_EQ(ReadFile("C:\\WinTorv\\MIRDAN.EXE"), "mirdan") << "the other archives unpack";
    }
}

TEST_F(CopyPageTest, EscapeStopsOneArchiveAndThePageGoesOn) {
    core::ConnectArchiveEngineToInterface();
    MakeCd();
    auto& keyboard = ui::headless::Current();
    ui::headless::Script script;
    script.OnForm<TCopy>([&](TCopy& page) {
        // Escape held while the program files unpack, let go once the next archive shows.
        script.WhileWorking([&] { keyboard.SetKeyDown(ui::vk::Escape, true); });
        script.WhileWorkingUntil([&] {
            if (page.LGroupName->Caption.get() == "Fisiere executabile") return false;
            keyboard.SetKeyDown(ui::vk::Escape, false);
            return true;
        });
        ui::headless::Click(page, "&Continua");
    });
    TCopy page;
    EXPECT_EQ(page.ShowModal(), ui::mrOk) << "Escape is no failure";
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\TORVEX.EXE")) << "the stopped archive";
    EXPECT_EQ(ReadFile("C:\\WinTorv\\MIRDAN.EXE"), "mirdan") << "the archives after it";
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\EXE.ZIP"));
}

}  // namespace

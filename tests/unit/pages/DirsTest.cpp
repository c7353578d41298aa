#include <gtest/gtest.h>

#include <algorithm>

#include "core/InstallState.h"
#include "pages/wizard/DirDialog.h"
#include "pages/fresh/Dirs.h"
#include "work/locate/FolderChoice.h"
#include "tests/support/VirtualMachine.h"
#include "ui/headless/ScriptedUser.h"

using work::FolderCheck;
using pages::TDirDialog;
using pages::TDirs;
using ui::headless::Click;
using ui::headless::Script;
using ui::headless::TypeText;

class DirsTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        core::ResetState();
    }
    bool IsFolder(const std::string& path) { return !path.empty() && Machine().DirectoryExists(path); }
};

TEST_F(DirsTest, TheKindOfInstallationChoosesTheRows) {
    struct Row {
        uint8_t kind;
        bool dataRow, memo, next;
        const char* dataText;
    } rows[] = {
        {core::InstallLocal, false, false, true, "C:\\WinTorv"},
        {core::InstallServer, true, false, true, "C:\\Date"},
        {core::InstallClient, true, true, false, ""},
    };
    for (const Row& row : rows) {
        core::ResetState();
        core::State().InstallType = row.kind;
        core::State().WorkDir = "C:\\Prog";
        core::State().WorkDataDir = "C:\\Date";
        TDirs page;
        EXPECT_EQ(core::State().PageNo, 1);
        EXPECT_EQ(page.RProgram->Text.get(), "C:\\Prog");
        EXPECT_EQ(page.RDate->Visible.get(), row.dataRow) << int(row.kind);
        EXPECT_EQ(page.LDate->Visible.get(), row.dataRow);
        EXPECT_EQ(page.BDate->Visible.get(), row.dataRow);
        EXPECT_EQ(page.netmemo->Visible.get(), row.memo);
        EXPECT_EQ(page.BNext->Enabled.get(), row.next);
        if (row.dataRow) {
            EXPECT_EQ(page.RDate->Text.get(), row.dataText);
        }
    }
    core::State().InstallType = core::InstallClient;
    TDirs client;
    EXPECT_EQ(client.netmemo->Lines.get().at(1), "Introduceti in campul \"Date\" calea pana la baza ");
    client.RDate->TextChangedByUser("C");
    client.RDate->TextChangedByUser("");
    EXPECT_TRUE(client.BNext->Enabled) << "any change of the data field, clearing it too";
}

TEST_F(DirsTest, ContinueChecksAndCreatesTheFolders) {
    MakeFolders("C:\\Existing");
    WriteFile("C:\\AFile", "not a folder");
    struct Row {
        const char* what;
        uint8_t kind;
        const char* program;
        const char* data;
        work::FolderCheck check;
        const char* dataDir;       // DataDir afterwards
        bool programCreated;
    } rows[] = {
        {"LOCAL: the proposed folder is created", core::InstallLocal, "C:\\WinTorv", "", work::FolderCheck::Passed,
         "C:\\WinTorv", true},
        {"typed with a backslash, stored as typed", core::InstallLocal, "C:\\Prog\\", "", work::FolderCheck::Passed,
         "C:\\Prog\\", true},
        {"SERVER: a new data folder whose parent exists", core::InstallServer, "C:\\Prog", "C:\\Date",
         work::FolderCheck::Passed, "C:\\Date", true},
        {"SERVER: an existing data folder", core::InstallServer, "C:\\Prog", "C:\\Existing", work::FolderCheck::Passed,
         "C:\\Existing", true},
        {"SERVER: the data folder's parent is missing", core::InstallServer, "C:\\Prog", "C:\\Nu\\Date",
         work::FolderCheck::NotCreated, "C:\\Old", false},
        {"SERVER: a file holds the data folder's name", core::InstallServer, "C:\\Prog", "C:\\AFile",
         work::FolderCheck::NotCreated, "C:\\Old", false},
        {"CLIENT: the data folder exists", core::InstallClient, "C:\\Prog", "C:\\Existing", work::FolderCheck::Passed,
         "C:\\Existing", true},
        {"CLIENT: the data folder does not exist", core::InstallClient, "C:\\Prog", "C:\\Date",
         work::FolderCheck::ClientDataMissing, "C:\\Old", false},
        {"a file holds the program folder's name", core::InstallLocal, "C:\\AFile", "", work::FolderCheck::NotCreated,
         "C:\\AFile", false},
        {"a drive that does not exist", core::InstallLocal, "Q:\\WinTorv", "", work::FolderCheck::NotCreated,
         "Q:\\WinTorv", false},
        {"an empty program field", core::InstallLocal, "", "", work::FolderCheck::NotCreated, "", false},
    };
    for (const Row& row : rows) {
        core::ResetState();
        core::State().DataDir = "C:\\Old";
        EXPECT_EQ(work::AcceptFolders(core::State(), row.kind, row.program, row.data), row.check) << row.what;
        EXPECT_EQ(core::State().ProgramDir, row.program) << row.what;
        EXPECT_EQ(core::State().DataDir, row.dataDir) << row.what;
        EXPECT_EQ(core::State().WorkDir, row.program) << row.what << ": kept whatever the outcome";
        EXPECT_EQ(core::State().WorkDataDir, row.dataDir) << row.what;
        EXPECT_EQ(IsFolder(row.program), row.programCreated) << row.what;
        if (row.check != work::FolderCheck::Passed && std::string(row.data) == "C:\\Date") {
            EXPECT_FALSE(IsFolder(row.data)) << row.what << ": nothing is left behind";
        }
        for (const char* made : {"C:\\WinTorv", "C:\\Prog\\", "C:\\Date"})
            if (IsFolder(made)) Machine().RemoveEmptyDirectory(made);
    }
}

TEST_F(DirsTest, AProgramFolderThatCannotBeMadeTakesBackTheNewDataFolder) {
    Machine().FailCreateDirectory("C:\\Prog");
    EXPECT_EQ(work::AcceptFolders(core::State(), core::InstallServer, "C:\\Prog", "C:\\Date"), work::FolderCheck::NotCreated);
    EXPECT_FALSE(IsFolder("C:\\Date"));
    EXPECT_EQ(core::State().WorkDataDir, "C:\\Date");
}

TEST_F(DirsTest, AClientWithoutItsDataFolderSeesTheErrorAndStays) {
    core::State().InstallType = core::InstallClient;
    MakeFolders("C:\\Server\\Date");
    Script script;
    script.OnForm<TDirs>([](TDirs& page) {
        TypeText(page, "RDate", "C:\\Nicaieri");
        Click(page, "&Continua");
    });
    script.AnswerMessage("&Renunt");
    script.OnForm<TDirs>([](TDirs& page) {
        TypeText(page, "RDate", "C:\\Server\\Date");
        Click(page, "&Continua");
    });
    TDirs page;
    EXPECT_EQ(page.ShowModal(), 1);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, "La instalarea client baza de date trebuie sa existe!");
    EXPECT_EQ(script.Messages()[0].title, "Eroare!");
    EXPECT_EQ(script.Messages()[0].kind, ui::mtError);
    EXPECT_EQ(core::State().DataDir, "C:\\Server\\Date");
}

TEST_F(DirsTest, AFolderTheEngineCannotTakeIsNamedWithItsLettersAndNothingIsMade) {
    core::State().InstallType = core::InstallServer;  // on a Western machine, code page 1252
    Script script;
    script.OnForm<TDirs>([](TDirs& page) {
        TypeText(page, "RDate", "C:\\Iași\\Țară");
        Click(page, "&Continua");
    });
    script.AnswerMessage("&Renunt");
    script.OnForm<TDirs>([](TDirs& page) { Click(page, "&Abandon"); });
    TDirs page;
    EXPECT_EQ(page.ShowModal(), 2);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text,
              "Directorul\rC:\\Iași\\Țară\rcontine litere pe care baza de date nu le poate folosi pe acest "
              "calculator: ș, Ț, ă\rAlegeti un director fara aceste litere!");
    EXPECT_FALSE(IsFolder("C:\\WinTorv")) << "the program folder is not made either";
}

TEST_F(DirsTest, TheFolderDialogAnswersTheOpenFolderWithOneBackslash) {
    Machine().AddDrive('d', plat::DriveType::Fixed);
    MakeFolders("D:\\Baze\\Torvex");
    MakeFolders("C:\\Lucru");
    Machine().ChangeDirectory("C:\\Lucru");
    core::State().InstallType = core::InstallServer;
    Script script;
    script.OnForm<TDirs>([](TDirs& page) { Click(page, "LDate"); });
    script.OnForm<TDirDialog>([](TDirDialog& dialog) {
        EXPECT_EQ(dialog.Directory(), "C:\\Lucru") << "starts at the current folder";
        const auto& drives = dialog.DriveComboBox1->Items.get();
        auto d = std::find(drives.begin(), drives.end(), "d:");
        ASSERT_NE(d, drives.end());
        dialog.DriveComboBox1->SelectedByUser(int(d - drives.begin()));
        EXPECT_EQ(dialog.Directory(), "D:\\");
        dialog.dirs->SetFocus();
        dialog.dirs->SelectedByUser(1);  // Baze, opened from the keyboard
        ui::headless::PressKey(dialog, ui::vk::Return);
        EXPECT_EQ(dialog.Directory(), "D:\\Baze");
        dialog.dirs->OpenedByUser(2);  // Torvex
        Click(dialog, "O&K");
    });
    script.OnForm<TDirs>([](TDirs& page) {
        EXPECT_EQ(page.RDate->Text.get(), "D:\\Baze\\Torvex\\");
        EXPECT_TRUE(page.RDate->Focused()) << "the label also moves the focus to its field";
        Click(page, "BProgram");
    });
    script.OnForm<TDirDialog>([](TDirDialog& dialog) { Click(dialog, "&Renunt"); });
    script.OnForm<TDirs>([](TDirs& page) {
        EXPECT_EQ(page.RProgram->Text.get(), "C:\\WinTorv") << "Renunt changes nothing";
        Click(page, "&Inapoi");
    });
    TDirs page;
    EXPECT_EQ(page.ShowModal(), 4);
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(pages::PickedFolder("D:\\"), "D:\\") << "a root keeps its one backslash";
}

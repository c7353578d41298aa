// The copy work on the virtual machine: media of three floppies behind drive A: and the
// same set in one CD folder, joined and unpacked into the program, data and engine
// folders; disk refusal; the failures that must not pass for success; and the room
// asked of each drive.
#include <gtest/gtest.h>

#include "core/Log.h"
#include "record/Recording.h"
#include "tests/integration/pages/CopyMediaFixture.h"
#include "tests/support/RecordingReports.h"

using namespace work;
using copy_test::Product;

namespace {

using CopyWorkTest = copy_test::CopyMediaTest;

TEST_F(CopyWorkTest, ThreeFloppiesAreRequestedJoinedAndUnpacked) {
    MakeFloppies();
    WriteFile("C:\\WinTorv\\OLD.ZIP", "the user's own archive");
    ui::headless::Script script;
    ChangeDiskOnRequest(script, 2);
    ChangeDiskOnRequest(script, 3);
    EXPECT_EQ(Work().Run(), work::CopyOutcome::Done);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_EQ(requests_[0], "PENTRU CONTINUARE,\r\rintrodu discul de instalare cu numarul \r2");
    EXPECT_EQ(script.Messages()[1].kind, ui::mtWarning);
    EXPECT_EQ(copyGauge_, (std::vector<std::string>{"0/3", "1/3", "2/3", "3/3"}));
    ExpectProductInstalled();
    EXPECT_EQ(ReadFile("C:\\WinTorv\\OLD.ZIP"), "the user's own archive");
    EXPECT_EQ(plat::Current().CurrentDirectory(), "C:\\WinTorv");
}

TEST_F(CopyWorkTest, OneCdFolderIsOneDiskAndOnePass) {
    MakeCd();
    ui::headless::Script script;
    EXPECT_EQ(Work().Run(), work::CopyOutcome::Done);
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_EQ(copyGauge_, (std::vector<std::string>{"0/1", "1/1"}));
    ExpectProductInstalled();
}

TEST_F(CopyWorkTest, ALetterThisProgramDoesNotSeeIsReachedThroughItsShareAndRecordedAsTyped) {
    // The person's N: is \\SRV\OFFICE and holds the CD folder; this program has no N:.
    Machine().AddShare("\\\\SRV\\OFFICE", root_);
    MakeCd();
    Machine().ReachLettersThrough({{'N', "\\\\SRV\\OFFICE"}});
    core::State().SourceDir = "N:\\cd\\";
    core::State().ProgramDir = core::State().WorkDir = "N:\\WinTorv";
    core::State().DataDir = "N:\\TorvData";
    MakeFolders("\\\\SRV\\OFFICE\\WinTorv");
    MakeFolders("\\\\SRV\\OFFICE\\TorvData");
    ui::headless::Script script;
    EXPECT_EQ(Work().Run(), work::CopyOutcome::Done);
    EXPECT_EQ(ReadFile("\\\\SRV\\OFFICE\\WinTorv\\MIRDAN.EXE"), "mirdan");
    EXPECT_EQ(ReadFile("\\\\SRV\\OFFICE\\TorvData\\DATA\\FIRMA.DB"), "sample firm");
    ASSERT_FALSE(record::ThisRun().product.files.empty());
    EXPECT_EQ(record::ThisRun().product.files[0].path.rfind("N:\\WinTorv\\", 0), 0u);
}

TEST_F(CopyWorkTest, TheGaugeAndTheWindowsMoveByTheClockNotByEveryBlock) {
    // A member of 20 blocks beside the product's 8 members of one block, in 7 archives.
    copy_test::Files exe = Product().at("EXE");
    exe["BIG.DLL"] = std::string(20 * 32768, 'b');
    archives_["EXE"] = copy_test::ArchiveOf(exe);
    MakeCd();
    const struct {
        uint32_t clockPerKeepAlive;
        size_t keepAlives;
    } cases[] = {
        {0, 9 + 7},                               // each member's start, each archive's end
        {work::kProgressEveryMs - 1, 9 + 7},      // not yet time between them
        {work::kProgressEveryMs, 9 + 7 + 20 + 8},  // and then at every block too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clockPerKeepAlive);
        testing_support::RecordingReports reports;
        std::vector<int> shown;
        reports.whileWorking = [&] {
            shown.push_back(unzipGauge_);
            Machine().AdvanceTicks(c.clockPerKeepAlive);
        };
        ASSERT_EQ(CopyMedia::Work(FreshOrder(), reports).Run(), work::CopyOutcome::Done);
        EXPECT_EQ(shown.size(), c.keepAlives);
        EXPECT_EQ(shown.back(), 100) << "the gauge ends full";
    }
}

TEST_F(CopyWorkTest, AFolderNamedLikeTheMarkerIsNoDiskAndRefusalKeepsWhatWasJoined) {
    MakeFloppies();
    std::filesystem::create_directories(DiskFolder(4) + "/DISK2");
    ui::headless::Script script;
    ChangeDiskOnRequest(script, 4);  // a disk with a folder DISK2: asked again
    script.AnswerMessage("Renunt");
    EXPECT_EQ(Work().Run(), work::CopyOutcome::DiskRefused);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(Machine().FileExists("C:\\WinTorv\\EXE.ZIP")) << "joined so far, stays";
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\TORVEX.EXE")) << "nothing unpacked";
}

TEST_F(CopyWorkTest, MissingArchivesAreNoFailureAndTheClientGetsNoDatabases) {
    archives_.erase("VANTIR");
    archives_.erase("HELP");
    core::State().InstallType = core::InstallClient;
    MakeCd();
    ui::headless::Script script;
    EXPECT_EQ(Work().Run(), work::CopyOutcome::Done);
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_TRUE(Machine().FileExists("C:\\WinTorv\\MIRDAN.EXE"));
    EXPECT_FALSE(Machine().FileExists("C:\\TorvData\\DATA\\FIRMA.DB"));
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\DBDAT.ZIP")) << "pieces of other components are not joined";
}

// Each failure: an error box naming the file and the reason, the run ends as Failed
// (the page stays open), the rest of the product still unpacks.
TEST_F(CopyWorkTest, AFailedCopyIsReportedAndNotTakenForSuccess) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        const char* named;
        const char* reason;
    } cases[] = {
        {"damaged piece", [this] { archives_["EXE"][200] ^= 0x40; }, "C:\\WinTorv\\TORVEX.EXE",
         "eroare CRC"},
        {"piece unreadable", [this] { Machine().FailOpen("D:\\EXE.1"); }, "D:\\EXE.1",
         "Nu pot citi"},
        {"archive not written", [this] { Machine().FailWritesAfter("WinTorv\\HELP.ZIP", 10); },
         "C:\\WinTorv\\HELP.ZIP", "Nu pot scrie"},
        {"disk full", [this] { Machine().FailWritesAfter("MIRDAN.EXE", 2); },
         "C:\\WinTorv\\MIRDAN.EXE", "disc plin"},
        {"engine folder", [this] { Machine().FailCreateDirectory("C:\\Program Files\\Borland"); },
         "C:\\Program Files\\Borland", "Nu pot crea"},
        {"not an archive", [this] { archives_["DBNEW"] = "not a zip at all"; }, "DBNEW.ZIP",
         "deteriorata"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.fault();
        MakeCd();
        core::LogEnabled = false;
        ui::headless::Script script;
        script.AnswerMessage("OK");
        EXPECT_EQ(Work().Run(), work::CopyOutcome::Failed);
        ASSERT_TRUE(script.Ok()) << script.Error();
        const ui::headless::ShownMessage& box = script.Messages()[0];
        EXPECT_EQ(box.kind, ui::mtError);
        EXPECT_NE(box.text.find("EROARE LA COPIERE,"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.named), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.reason), std::string::npos) << box.text;
        EXPECT_EQ(ReadFile("C:\\TorvData\\DATA\\FIRMA.DB"), "sample firm") << "the rest still unpacks";
        Machine().ClearFaults();
    }
}

TEST_F(CopyWorkTest, AnUpgradeOrderReplacesProgramFilesAndUnpacksNoEngine) {
    core::State().InstallType = core::InstallClient;
    MakeCd();
    WriteFile("C:\\WinTorv\\SERVICE.EXE", "installed service");
    work::CopyOrder upgrade = FreshOrder();
    upgrade.selection = product::UpgradeComponentSets[core::InstallClient];
    upgrade.replacement = work::Replacement::UpgradeRule;
    upgrade.skipMissingModules = false;
    ui::headless::Script script;
    EXPECT_EQ(Work(upgrade).Run(), work::CopyOutcome::Done);
    EXPECT_EQ(ReadFile("C:\\WinTorv\\SERVICE.EXE"), "service");
    EXPECT_EQ(unzipGauge_, 100);
    EXPECT_FALSE(Machine().DirectoryExists("C:\\Program Files\\Borland")) << "no engine in an upgrade";
}

TEST_F(CopyWorkTest, AnInstalledEngineAsksNoRoomOfTheSystemDrive) {
    archives_["BDE32"] = copy_test::ArchiveOf({{"IDAPI32.DLL", std::string(200000, 'e')}});
    MakeCd();
    Machine().AddDrive('E', plat::DriveType::Fixed);
    MakeFolders("E:\\WinTorv");
    MakeFolders("E:\\TorvData");
    core::InstallState& state = core::State();
    state.ProgramDir = state.WorkDir = "E:\\WinTorv\\";
    state.DataDir = "E:\\TorvData\\";
    MakeFolders("C:\\BDE");
    WriteFile("C:\\BDE\\IDAPI32.DLL", "installed engine");
    Machine().RegistryWriteString("Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "VERSION", "5.0");
    Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
    // The system drive is nearly full: the engine's archive would not fit on it.
    Machine().SetDriveQuota('C', uint64_t(1) << 40);
    const uint64_t used = (uint64_t(1) << 40) - Machine().FreeSpace("C:\\").value();
    Machine().SetDriveQuota('C', used + 50000);
    ui::headless::Script script;
    EXPECT_EQ(Work().Run(), work::CopyOutcome::Done);
    EXPECT_TRUE(script.Messages().empty()) << script.Messages()[0].text;
    EXPECT_EQ(ReadFile("E:\\WinTorv\\MIRDAN.EXE"), "mirdan");
    EXPECT_FALSE(Machine().DirectoryExists("C:\\Program Files\\Borland"));
}

}  // namespace

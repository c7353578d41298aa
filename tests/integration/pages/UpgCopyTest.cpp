// The upgrade copy page over an installed product: the replacement rule decides which
// existing files are replaced, and the run log notes every decision.
#include <filesystem>
#include <fstream>

#include "core/Log.h"
#include "journal/Recovery.h"
#include "journal/UpgradeJournal.h"
#include "pages/upgrade/UpgCopy.h"
#include "tests/integration/pages/CopyMediaFixture.h"

namespace {

using copy_test::Files;

class UpgCopyTest : public copy_test::CopyMediaTest {
protected:
    void SetUp() override {
        CopyMediaTest::SetUp();
        core::State().ProgramDir = core::State().WorkDir = "C:\\WINTORV\\";
        core::State().DataDir = "C:\\WINTORV";
        MakeFolders("C:\\WINTORV\\DATA");
        MakeFolders("C:\\WINTORV\\NEW\\DATA");
        const Files installed = {{"TORVEX.EXE", "old main"}, {"IDAPI32.CFG", "old engine"},
                                 {"DATA\\FIRMA.DB", "old firm"}, {"NEW\\DATA\\X.DB", "old blank"}};
        for (const auto& [name, content] : installed) WriteFile("C:\\WINTORV\\" + name, content);
        archives_.clear();
        archives_["EXE"] = copy_test::ArchiveOf(
            {{"TORVEX.EXE", "new main"}, {"IDAPI32.CFG", "new engine"}, {"SERVICE.EXE", "new service"}});
        archives_["DBDAT"] = copy_test::ArchiveOf({{"DATA\\FIRMA.DB", "new firm"}, {"DATA\\NOU.DB", "new table"}});
        archives_["DBNEW"] = copy_test::ArchiveOf({{"new\\data\\x.db", "new blank"}, {"new\\luna\\l.db", "new month"}});
        archives_["HELP"] = copy_test::ArchiveOf({{"TORVEX.HLP", "new help"}});
        MakeCd();
        core::LogEnabled = true;
        core::LogOpen("C:\\torvinst.log", "INSTTORV");
    }
    void TearDown() override {
        core::LogClose();
        CopyMediaTest::TearDown();
    }

    void RunPage() {
        ui::headless::Script script;
        script.OnForm<pages::TUpgCopy>([](pages::TUpgCopy& page) {
            EXPECT_EQ(core::State().PageNo, 7);
            ui::headless::Click(page, "&Continua");
        });
        pages::TUpgCopy page;
        EXPECT_EQ(page.ShowModal(), ui::mrOk);
        EXPECT_TRUE(script.Ok()) << script.Error();
        EXPECT_TRUE(script.Messages().empty()) << script.Messages()[0].text;
    }

    // The run log's notes of the replacement rule, without their time tags.
    std::vector<std::string> Decisions() {
        std::vector<std::string> lines;
        std::string log = ReadFile("C:\\torvinst.log");
        for (size_t at = 0; at < log.size();) {
            size_t end = log.find("\r\n", at);
            std::string line = log.substr(at, end - at);
            line = line.substr(0, line.find(" <TIMP"));
            const size_t note = line.find("*       ");
            if (note != std::string::npos) line.erase(0, note + 8);
            if (line.rfind("Confirm", 0) == 0 || line == "NU!!!") lines.push_back(line);
            at = end == std::string::npos ? log.size() : end + 2;
        }
        return lines;
    }
};

// The upgrade copy as all or nothing: a fault at any step of the copy, or the program
// killed there and started again, leaves the installation as it was or wholly new.
class UpgradeJournalTest : public UpgCopyTest {
protected:
    using Tree = std::map<std::string, std::string>;

    // Every file and folder of drive C: with its bytes, but the working folder and the log.
    Tree Installation() {
        Tree tree;
        const std::filesystem::path drive = Machine().HostPath("C:\\");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(drive)) {
            const std::string name = std::filesystem::relative(entry.path(), drive).string();
            if (name.rfind("TEMP", 0) == 0 || name == "torvinst.log") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            tree[name] = entry.is_directory() ? "<folder>" : std::string(std::istreambuf_iterator<char>(in), {});
        }
        return tree;
    }

    // Continue once on a new page, every box closed as it comes.
    void PressContinue() {
        ui::headless::Script script;
        for (int box = 0; box < 20; ++box) script.CloseMessage(ui::mrCancel);
        pages::TUpgCopy page;
        page.BNextClick();
    }

    // One start of the program on the machine's disks as they are now: the copy (with a
    // fault at an operation, or killed there), or only what every start does first.
    struct Start {
        explicit Start(const std::string& root) : machine(root) {
            machine.AddDrive('D', plat::DriveType::CdRom, root + "/cd");
            plat::SetCurrent(&machine);
        }
        ~Start() { plat::SetCurrent(nullptr); }
        plat::HostPlatform machine;
    };
    // Runs the next start's recovery; true when it still names a journal afterwards.
    bool StartAgain() {
        Start start(root_);
        journal::RecoverInterruptedUpgrade();
        return !start.machine.RegistryReadString(journal::kPointerKey, journal::kPointerValue).value_or("").empty();
    }

    void Copy(const std::string& from, const std::string& to) {
        std::filesystem::remove_all(to);
        std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
    }
    static std::string Difference(const Tree& expected, const Tree& actual) {
        std::string text;
        for (const auto& [name, bytes] : actual)
            if (!expected.count(name) || expected.at(name) != bytes) text += " +" + name;
        for (const auto& [name, bytes] : expected)
            if (!actual.count(name)) text += " -" + name;
        return text;
    }
};

TEST_F(UpgradeJournalTest, AFaultOrAKillAtAnyStepLeavesTheOldInstallationOrTheNewOne) {
    core::LogClose();
    core::LogEnabled = false;
    const std::string saved = root_ + ".saved";
    Copy(root_, saved);
    const Tree before = Installation();
    uint64_t steps = 0;
    {
        Start start(root_);
        PressContinue();
        steps = start.machine.Operations();
    }
    const Tree after = Installation();
    ASSERT_NE(after, before);
    ASSERT_EQ(after.count("~TORVUPG"), 0u) << "the journal's folder is gone after a copy that succeeded";
    ASSERT_GT(steps, 20u);

    int tried = 0, whole = 0;
    for (uint64_t n = 1; n <= steps; ++n) {
        for (const bool killed : {false, true}) {
            Copy(saved, root_);
            bool archiveLeft = false;  // "Nu pot sterge ": the page's own word for a ZIP left
            {
                Start start(root_);
                killed ? start.machine.StopAtOperation(n) : start.machine.FailOperation(n);
                PressContinue();
                for (const std::string& line : start.machine.Journal())
                    archiveLeft |= line.rfind("MESSAGE Nu pot sterge ", 0) == 0;
            }
            const bool journalLeft = StartAgain();
            ++tried;
            Tree now = Installation();
            if (archiveLeft) std::erase_if(now, [](const auto& file) { return file.first.ends_with(".ZIP"); });
            if ((now == before || now == after) && !journalLeft) {
                ++whole;
            } else {
                ADD_FAILURE() << (killed ? "killed" : "a fault") << " at step " << n << " of " << steps
                              << (journalLeft ? ", journal left," : "") << " against before:" << Difference(before, now)
                              << "; against after:" << Difference(after, now);
            }
        }
    }
    EXPECT_EQ(whole, tried);
    RecordProperty("faultPoints", tried);
    RecordProperty("wholeAfterwards", whole);
    std::filesystem::remove_all(saved);
    plat::SetCurrent(&Machine());
}

TEST_F(UpgradeJournalTest, ADamagedJournalIsReportedAndNothingIsTouched) {
    MakeFolders("C:\\~TORVUPG");
    WriteFile("C:\\~TORVUPG\\1.VEC", "old main");
    WriteFile("C:\\~TORVUPG\\JURNAL.TXT", "WINTORV UPGRADE JOURNAL 1\r\nKEPT C:\\WINTORV\\TORVEX.EXE\r\n");
    Machine().RegistryWriteString(journal::kPointerKey, journal::kPointerValue, "C:\\~TORVUPG\\JURNAL.TXT");
    const Tree before = Installation();
    const journal::Recovery recovery = journal::RecoverInterruptedUpgrade();
    EXPECT_EQ(recovery.outcome, journal::Recovery::Damaged);
    EXPECT_EQ(Installation(), before);
}

TEST_F(UpgradeJournalTest, ADriveWithoutRoomOrAFileHeldOpenStopsTheCopyBeforeItReplacesAnything) {
    archives_["EXE"] = copy_test::ArchiveOf({{"TORVEX.EXE", std::string(200000, 'n')}, {"IDAPI32.CFG", "new engine"}});
    MakeCd();
    const Tree before = Installation();
    Machine().SetDriveQuota('C', uint64_t(1) << 40);
    const uint64_t used = (uint64_t(1) << 40) - Machine().FreeSpace("C:\\").value();
    // Room for the joined archives and half of what they unpack to.
    Machine().SetDriveQuota('C', used + 4096 + 100000);
    {
        ui::headless::Script script;
        script.CloseMessage(ui::mrOk);
        pages::TUpgCopy page;
        page.BNextClick();
        ASSERT_EQ(script.Messages().size(), 1u);
        EXPECT_EQ(script.Messages()[0].title, "Spatiu insuficient!");
        EXPECT_EQ(script.Messages()[0].text.rfind("Pe discul C: nu este destul spatiu liber.\rNecesar: 0.2 MB\rLiber: 0.1 MB", 0), 0u)
            << script.Messages()[0].text;
        EXPECT_EQ(Installation(), before);
    }
    Machine().SetDriveQuota('C', uint64_t(1) << 40);
    Machine().HoldFile("C:\\WINTORV\\TORVEX.EXE");
    ui::headless::Script script;
    script.CloseMessage(ui::mrCancel);
    script.OnMessage([this](ui::TMessageForm& box) {
        Machine().ReleaseFile("C:\\WINTORV\\TORVEX.EXE");
        ui::headless::Click(box, "&Retry");
    });
    pages::TUpgCopy page;
    page.BNextClick();  // the box, then Cancel
    EXPECT_EQ(page.ModalResult, ui::mrNone);
    EXPECT_EQ(Installation(), before);
    page.BNextClick();  // the box, then Retry once the file is free
    EXPECT_EQ(page.ModalResult, ui::mrOk);
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 2u);
    EXPECT_EQ(script.Messages()[0].title, "Fisiere in uz");
    EXPECT_NE(script.Messages()[0].text.find("\rC:\\WINTORV\\TORVEX.EXE\r"), std::string::npos);
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), std::string(200000, 'n'));
}

TEST_F(UpgradeJournalTest, ADiskThatFillsUpMeanwhileIsNamedAndTheInstallationStaysAsItWas) {
    archives_["EXE"] = copy_test::ArchiveOf({{"TORVEX.EXE", std::string(200000, 'n')}, {"SERVICE.EXE", "new service"}});
    MakeCd();
    const Tree before = Installation();
    Machine().SetDriveQuota('C', uint64_t(64) << 20);
    ui::headless::Script script;
    // Once the copy has begun to replace files, another program takes all the room left.
    script.WhileWorkingUntil([this] {
        if (ReadFile("C:\\~TORVUPG\\JURNAL.TXT").find("KEPT ") == std::string::npos) return false;
        std::ofstream filler(Machine().HostPath("C:\\FILLER.BIN"), std::ios::binary);
        filler.seekp(std::streamoff(Machine().FreeSpace("C:\\").value() - 1));
        filler.put('\0');
        return true;
    });
    script.CloseMessage(ui::mrOk);
    pages::TUpgCopy page;
    page.BNextClick();
    EXPECT_EQ(page.ModalResult, ui::mrNone) << "the page stays open for another try";
    ASSERT_FALSE(script.Messages().empty());
    EXPECT_NE(script.Messages()[0].text.find("C:\\WINTORV\\TORVEX.EXE: discul este plin"), std::string::npos)
        << script.Messages()[0].text;
    Tree now = Installation();
    now.erase("FILLER.BIN");
    EXPECT_EQ(now, before) << Difference(before, now);
}

TEST_F(UpgCopyTest, LocalUpgradeKeepsTheEngineFilesAndReplacesDataOnlyUnderNew) {
    RunPage();
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "new main");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\IDAPI32.CFG"), "old engine");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\SERVICE.EXE"), "new service");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\DATA\\FIRMA.DB"), "old firm");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\DATA\\NOU.DB"), "new table");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\NEW\\DATA\\X.DB"), "new blank");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.HLP"), "new help");
    EXPECT_FALSE(Machine().FileExists("C:\\WINTORV\\DBDAT.ZIP"));
    EXPECT_EQ(Decisions(), (std::vector<std::string>{
                               "Confirmare pentru: IDAPI32.CFG", "NU!!!",
                               "Confirmare pentru: TORVEX.EXE", "Confirmat",
                               "Confirmare pentru: \\DATA\\FIRMA.DB", "NU!!!",
                               "Confirmare pentru: \\NEW\\DATA\\X.DB", "Confirmat",
                           }));
}

TEST_F(UpgCopyTest, ProgramFolderTypedWithoutItsBackslashStillKeepsTheEngineFiles) {
    core::State().ProgramDir = core::State().WorkDir = "C:\\WINTORV";
    RunPage();
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "new main");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\IDAPI32.CFG"), "old engine");
    const std::vector<std::string> decisions = Decisions();
    ASSERT_GE(decisions.size(), 2u);
    EXPECT_EQ(decisions[0], "Confirmare pentru: \\IDAPI32.CFG");
    EXPECT_EQ(decisions[1], "NU!!!");
}

TEST_F(UpgCopyTest, ClientUpgradeUnpacksNoDataArchive) {
    core::State().InstallType = core::InstallClient;
    RunPage();
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "new main");
    EXPECT_FALSE(Machine().FileExists("C:\\WINTORV\\DATA\\NOU.DB"));
    EXPECT_EQ(ReadFile("C:\\WINTORV\\NEW\\DATA\\X.DB"), "old blank");
}

}  // namespace

// The upgrade as all or nothing: a fault at any step of the copy or of the database
// upgrade that follows it, or the program killed there and started again, leaves the old
// installation on the old data or the new one on the upgraded data. The copy runs with
// the order the upgrade copy page gives it, journal and record included, and the database
// upgrade with the stand-in library, which changes the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/InstallState.h"
#include "core/UpgradeRecovery.h"
#include "core/Log.h"
#include "journal/JournalFile.h"
#include "journal/Recovery.h"
#include "journal/UpgradeJournal.h"
#include "upgrade/UpgradeLibrary.h"
#include "work/configure/ConfigOrder.h"
#include "work/configure/InstallRecording.h"
#include "work/dbupgrade/UpgradeEnd.h"
#include "tests/support/CopyMedia.h"
#include "tests/support/RecordingReports.h"
#include "ui/headless/ScriptedUser.h"

namespace {

using testing_support::RecordingReports;

class UpgradeJournalTest : public copy_test::CopyMedia {
protected:
    using Tree = std::map<std::string, std::string>;

    void SetUp() override {
        CopyMedia::SetUp();
        MakeUpgrade();
        core::LogEnabled = true;
        core::LogOpen("C:\\torvinst.log", "INSTTORV");
        // The running installer and its upgrade library on the CD, the alias at the data.
        std::filesystem::copy_file(UPGRADE_STANDIN, root_ + "/cd/UPGRADE.DLL");
        WriteFile("D:\\IDAPI32.CFG", std::string("TORVEX=") + kDatabase + "\r\n");
        setenv("UPGRADE_ALIAS_FILE", Machine().HostPath("D:\\IDAPI32.CFG").c_str(), 1);
        setenv("TORVEX_HOST_ROOT", root_.c_str(), 1);
    }
    void TearDown() override {
        UnloadUpgradeDll();
        core::LogClose();
        for (const char* name : {"UPGRADE_ALIAS_FILE", "TORVEX_HOST_ROOT", "UPGRADE_FAIL"}) unsetenv(name);
        CopyMedia::TearDown();
    }
    static constexpr char kDatabase[] = "C:\\WINTORV\\DATA";

    // Continue on the upgrade copy page: the copy of its order, with the page's journal,
    // the installation's record written through it before the copy is committed.
    work::CopyOutcome Continue(RecordingReports& reports, journal::UpgradeJournal& journal) {
        const core::InstallState& state = core::State();
        work::CopyOrder order = FreshOrder();
        order.selection = product::UpgradeComponentSets[state.InstallType];
        order.replacement = work::Replacement::UpgradeRule;
        order.skipMissingModules = false;
        order.oldEngine = state.OldEngineFlag;
        order.journal = &journal;
        order.leaveJournalOpen = true;
        order.beforeCommit = [&reports, &journal, config = work::ConfigOrderOf(state)] {
            return work::RecordThisRun(config, reports, &journal);
        };
        return Work(order, reports).Run();
    }
    // Continue on the database upgrade page, every operation chosen.
    work::UpgradeOutcome ContinueDatabase(RecordingReports& reports, journal::UpgradeJournal& journal,
                                          const std::function<void()>& onReport) {
        work::DatabaseUpgradeView view;
        view.chosen = [](size_t) { return true; };
        view.report = [&](const std::string&) { onReport(); };
        view.tick = [](size_t, bool) {};
        view.statusRed = [] {};
        view.finished = [](size_t) {};
        return work::UpgradeDatabase({&journal, kDatabase}, view, reports);
    }

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

    // One start of the program on the machine's disks as they are now: the copy (with a
    // fault at an operation, or killed there), or only what every start does first.
    struct Start {
        explicit Start(const std::string& root) : machine(root) {
            machine.AddDrive('D', plat::DriveType::CdRom, root + "/cd");
            machine.SetModuleFileName("D:\\INSTALL.EXE");
            plat::SetCurrent(&machine);
            EXPECT_TRUE(LoadUpgradeDll());
        }
        ~Start() {
            UnloadUpgradeDll();
            plat::SetCurrent(nullptr);
        }
        plat::HostPlatform machine;
    };
    // One start on the disks as they are: Continue on the copy page (or, with `retry`, a
    // Continue that fails on the month's table and Continue again with the same journal),
    // then Continue on the database page (the lists failing with `listsFail`); the whole
    // with a fault or killed at its operation `at`, or killed at the library's report
    // `at`. Every notice is answered Cancel, or Ok (Da) with `listsFail`. The operations
    // and reports it took, and whether the copy said it left an archive it could not delete.
    enum class Trouble { None, Fault, Kill, KillInLibrary };
    struct Way {
        const char* what;
        bool retry;
        bool listsFail;
        Trouble trouble;
    };
    struct Try {
        uint64_t operations, reports;
        bool archiveLeft;
    };
    Try StartAndUpgrade(const Way& way, uint64_t at = 0) {
        Start start(root_);
        RecordingReports reports;
        for (int box = 0; box < 20; ++box) reports.Answer(way.listsFail ? work::Answer::Ok : work::Answer::Cancel);
        if (way.listsFail) setenv("UPGRADE_FAIL", "LIST", 1);
        journal::UpgradeJournal journal;  // one for both tries, as a page that keeps its own
        if (way.retry) {
            start.machine.FailWritesAfter("L.DB", 1);
            EXPECT_EQ(Continue(reports, journal), work::CopyOutcome::Failed);
            start.machine.ClearFaults();
        }
        const uint64_t begun = start.machine.Operations();
        if (way.trouble == Trouble::Fault) start.machine.FailOperation(begun + at);
        if (way.trouble == Trouble::Kill) start.machine.StopAtOperation(begun + at);
        uint64_t told = 0;
        const auto onReport = [&] {
            if (++told == at && way.trouble == Trouble::KillInLibrary)
                start.machine.StopAtOperation(start.machine.Operations() + 1);
        };
        if (Continue(reports, journal) == work::CopyOutcome::Done) ContinueDatabase(reports, journal, onReport);
        unsetenv("UPGRADE_FAIL");
        return {start.machine.Operations() - begun, told,
                std::any_of(reports.notices.begin(), reports.notices.end(), [](const work::Notice& notice) {
                    return notice.plain && notice.text.rfind("Nu pot sterge ", 0) == 0;
                })};
    }
    // Runs the next start's recovery; true when it still names a journal afterwards.
    bool StartAgain() {
        Start start(root_);
        journal::RecoverInterruptedUpgrade();
        return !start.machine.RegistryReadString(journal::kPointerKey, journal::kPointerValue).value_or("").empty();
    }
    // The value that names the journal for the next start, on this machine.
    std::string Pointer() { return Machine().RegistryReadString(journal::kPointerKey, journal::kPointerValue).value_or(""); }
    // A journal at `path` of a copy killed once it had replaced each step's file, the old
    // file kept as "old <path>", named for the next start.
    void LeaveJournal(const std::string& path, const std::vector<journal::Step>& steps) {
        std::string text = journal::HeaderLine();
        for (const journal::Step& step : steps) {
            MakeFolders(journal::KeepFolderFor(step.path));
            MakeFolders(step.path.substr(0, step.path.rfind('\\')));
            WriteFile(step.kept, "old " + step.path);
            WriteFile(step.path, "new");
            text += journal::StepLine(step);
        }
        MakeFolders(journal::KeepFolderFor(path));
        WriteFile(path, text);
        Machine().RegistryWriteString(journal::kPointerKey, journal::kPointerValue, path);
    }
    // The recovery of a start on this machine, every box closed: the boxes' texts.
    std::vector<std::string> RecoveryBoxes() {
        ui::headless::Script script;
        script.CloseMessage(ui::mrOk);
        core::RecoverInterruptedUpgrade();
        std::vector<std::string> texts;
        for (const auto& box : script.Messages()) texts.push_back(box.text);
        return texts;
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
    const Way upgrade{"", false, false, Trouble::None}, retried{"", true, false, Trouble::None},
        goneBack{"", false, true, Trouble::None};
    const Try whole = StartAndUpgrade(upgrade);
    const Tree after = Installation();
    ASSERT_NE(ReadFile("C:\\WINTORV\\DATA\\FIRMA.DB"), "old firm") << "the library changed the data";
    ASSERT_EQ(after.count("~TORVUPG"), 0u) << "the journal's folder is gone after an upgrade that succeeded";
    ASSERT_GT(whole.operations, 20u);
    Copy(saved, root_);
    const Try retry = StartAndUpgrade(retried);
    ASSERT_EQ(Installation(), after) << "a retry after a failed Continue";
    Copy(saved, root_);
    const Try back = StartAndUpgrade(goneBack);
    ASSERT_EQ(Installation(), before) << "a failed operation answered Da";

    // Which states each way may leave: a failed operation answered Da leaves only the old.
    const struct {
        Way way;
        uint64_t steps;
    } ways[] = {
        {{"a fault", false, false, Trouble::Fault}, whole.operations},
        {{"killed", false, false, Trouble::Kill}, whole.operations},
        {{"a retry killed", true, false, Trouble::Kill}, retry.operations},
        {{"killed in the library", false, false, Trouble::KillInLibrary}, whole.reports},
        {{"a fault going back", false, true, Trouble::Fault}, back.operations},
        {{"killed going back", false, true, Trouble::Kill}, back.operations},
    };
    int tried = 0, wholeAfterwards = 0;
    for (const auto& [way, steps] : ways) {
        for (uint64_t n = 1; n <= steps; ++n) {
            Copy(saved, root_);
            const bool archiveLeft = StartAndUpgrade(way, n).archiveLeft;
            const bool journalLeft = StartAgain();
            ++tried;
            Tree now = Installation();
            if (archiveLeft) std::erase_if(now, [](const auto& file) { return file.first.ends_with(".ZIP"); });
            if ((now == before || (now == after && !way.listsFail)) && !journalLeft) {
                ++wholeAfterwards;
            } else {
                ADD_FAILURE() << way.what << " at step " << n << " of " << steps
                              << (journalLeft ? ", journal left," : "") << " against before:" << Difference(before, now)
                              << "; against after:" << Difference(after, now);
            }
        }
    }
    EXPECT_EQ(wholeAfterwards, tried);
    RecordProperty("faultPoints", tried);
    RecordProperty("wholeAfterwards", wholeAfterwards);
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

TEST_F(UpgradeJournalTest, ARegistryValueThatCannotNameTheJournalIsNamedInTheBox) {
    const Tree before = Installation();
    RecordingReports reports;
    reports.Answer(work::Answer::Ok);
    journal::UpgradeJournal journal;
    Machine().FailOperation(Machine().Operations() + 1);  // the value is the first thing written
    EXPECT_EQ(Continue(reports, journal), work::CopyOutcome::Failed);
    ASSERT_EQ(reports.notices.size(), 1u);
    EXPECT_EQ(reports.notices[0].text, "Nu pot scrie valoarea de registru HKLM\\Software\\WinTORVEX\\Setup UpgradeJournal");
    EXPECT_EQ(Installation(), before);
}

// What the start's recovery cannot see waits for the next start, which puts it back.
TEST_F(UpgradeJournalTest, WhatTheRecoveryCannotSeeKeepsTheJournalForTheNextStart) {
    Machine().AddDrive('N', plat::DriveType::Remote);
    const std::string n = root_ + "/n", away = root_ + "/n-away";
    const journal::Step onC{journal::Step::Kept, "C:\\WINTORV\\TORVEX.EXE", "C:\\~TORVUPG\\1.VEC"};
    const journal::Step onN{journal::Step::Kept, "N:\\DATE\\FIRMA.DB", "N:\\~TORVUPG\\2.VEC"};
    const struct {
        const char* what;
        std::string journal;
        std::function<void()> lose, findAgain;
        std::string inBox;  // what the first start's box names
    } cases[] = {
        {"a kept file's drive is not connected", "C:\\~TORVUPG\\JURNAL.TXT", [&] { std::filesystem::rename(n, away); },
         [&] { std::filesystem::rename(away, n); }, "N:\\DATE\\FIRMA.DB (discul N: nu este disponibil)"},
        {"the journal's own drive is not connected", "N:\\~TORVUPG\\JURNAL.TXT", [&] { std::filesystem::rename(n, away); },
         [&] { std::filesystem::rename(away, n); }, "este pe discul N:, care nu este disponibil"},
        {"a replaced file is gone with its kept copy", "C:\\~TORVUPG\\JURNAL.TXT",
         [&] { Machine().RemoveFile(onC.path), Machine().RemoveFile(onC.kept); },
         [&] { WriteFile(onC.kept, "old " + onC.path); },
         "C:\\WINTORV\\TORVEX.EXE (lipseste, ca si copia lui C:\\~TORVUPG\\1.VEC)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LeaveJournal(c.journal, {onC, onN});
        c.lose();
        const std::vector<std::string> boxes = RecoveryBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(c.inBox), std::string::npos) << boxes[0];
        EXPECT_EQ(Pointer(), c.journal);

        c.findAgain();
        EXPECT_TRUE(RecoveryBoxes().empty());
        EXPECT_EQ(ReadFile(onC.path), "old " + onC.path);
        EXPECT_EQ(ReadFile(onN.path), "old " + onN.path);
        EXPECT_EQ(Pointer(), "");
        EXPECT_FALSE(Machine().FileExists(c.journal));
    }
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
        RecordingReports reports;
        reports.Answer(work::Answer::Ok);
        journal::UpgradeJournal journal;
        Continue(reports, journal);
        ASSERT_EQ(reports.notices.size(), 1u);
        EXPECT_EQ(reports.notices[0].title, "Spatiu insuficient!");
        const std::string& text = reports.notices[0].text;
        EXPECT_TRUE(text.starts_with("Pe discul C: nu este destul spatiu liber.\rNecesar: 0.2 MB\rLiber: 0.1 MB"))
            << text;
        EXPECT_EQ(Installation(), before);
    }
    Machine().SetDriveQuota('C', uint64_t(1) << 40);
    Machine().HoldFile("C:\\WINTORV\\TORVEX.EXE");
    RecordingReports reports;
    reports.Answer(work::Answer::Cancel);
    reports.Answer(work::Answer::Ok, [this] { Machine().ReleaseFile("C:\\WINTORV\\TORVEX.EXE"); });
    journal::UpgradeJournal journal;  // the page's, for both tries
    EXPECT_EQ(Continue(reports, journal), work::CopyOutcome::Failed);  // the box, then Cancel
    EXPECT_EQ(Installation(), before);
    EXPECT_EQ(Continue(reports, journal), work::CopyOutcome::Done);  // the box, then Retry once the file is free
    EXPECT_TRUE(reports.Ok()) << reports.Error();
    ASSERT_EQ(reports.notices.size(), 2u);
    EXPECT_EQ(reports.notices[0].title, "Fisiere in uz");
    EXPECT_NE(reports.notices[0].text.find("\rC:\\WINTORV\\TORVEX.EXE\r"), std::string::npos);
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), std::string(200000, 'n'));
}

TEST_F(UpgradeJournalTest, ADiskThatFillsUpMeanwhileIsNamedAndTheInstallationStaysAsItWas) {
    archives_["EXE"] = copy_test::ArchiveOf({{"TORVEX.EXE", std::string(200000, 'n')}, {"SERVICE.EXE", "new service"}});
    MakeCd();
    const Tree before = Installation();
    Machine().SetDriveQuota('C', uint64_t(64) << 20);
    RecordingReports reports;
    // Once the copy has begun to replace files, another program takes all the room left.
    bool filled = false;
    reports.whileWorking = [this, &filled] {
        Machine().AdvanceTicks(work::kProgressEveryMs);  // time enough for the gauge to move at every block
        if (filled || ReadFile("C:\\~TORVUPG\\JURNAL.TXT").find("KEPT ") == std::string::npos) return;
        std::ofstream filler(Machine().HostPath("C:\\FILLER.BIN"), std::ios::binary);
        filler.seekp(std::streamoff(Machine().FreeSpace("C:\\").value() - 1));
        filler.put('\0');
        filled = true;
    };
    reports.Answer(work::Answer::Ok);
    journal::UpgradeJournal journal;
    EXPECT_EQ(Continue(reports, journal), work::CopyOutcome::Failed) << "the page stays open for another try";
    ASSERT_FALSE(reports.notices.empty());
    EXPECT_NE(reports.notices[0].text.find("C:\\WINTORV\\TORVEX.EXE: discul este plin"), std::string::npos)
        << reports.notices[0].text;
    Tree now = Installation();
    now.erase("FILLER.BIN");
    EXPECT_EQ(now, before) << Difference(before, now);
}

// The data's copy needs room on the data's drive; without it the library is not called.
TEST_F(UpgradeJournalTest, ADataDriveWithoutRoomForTheCopyIsNamedAndTheDatabaseIsNotTouched) {
    WriteFile("C:\\WINTORV\\DATA\\MARE.DB", std::string(300000, 'd'));
    Machine().SetModuleFileName("D:\\INSTALL.EXE");
    ASSERT_TRUE(LoadUpgradeDll());
    RecordingReports reports;
    journal::UpgradeJournal journal;
    ASSERT_EQ(Continue(reports, journal), work::CopyOutcome::Done);
    const Tree copied = Installation();
    Machine().SetDriveQuota('C', uint64_t(1) << 40);
    const uint64_t used = (uint64_t(1) << 40) - Machine().FreeSpace("C:\\").value();
    Machine().SetDriveQuota('C', used + 200000);
    reports.Answer(work::Answer::Ok);
    EXPECT_EQ(ContinueDatabase(reports, journal, [] {}).end, work::UpgradeEnd::NotStarted);
    ASSERT_EQ(reports.notices.size(), 1u);
    EXPECT_EQ(reports.notices[0].title, "Spatiu insuficient!");
    EXPECT_EQ(reports.notices[0].text, "Pe discul C: nu este destul spatiu liber.\rNecesar: 0.3 MB\rLiber: 0.2 MB");
    EXPECT_EQ(Installation(), copied) << Difference(copied, Installation());
}

}  // namespace

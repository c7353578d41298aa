// Continue tried again on the upgrade copy page after a copy that failed: the retry has a
// journal of its own, whatever the failed try noted and undid.
#include <filesystem>
#include <fstream>

#include "journal/Recovery.h"
#include "journal/UpgradeJournal.h"
#include "pages/upgrade/UpgCopy.h"
#include "tests/integration/pages/CopyMediaFixture.h"

namespace {

class JournalRetryTest : public copy_test::CopyMediaTest {
protected:
    using Tree = std::map<std::string, std::string>;

    void SetUp() override {
        CopyMediaTest::SetUp();
        core::State().ProgramDir = core::State().WorkDir = "C:\\WINTORV\\";
        core::State().DataDir = "C:\\WINTORV";
        MakeFolders("C:\\WINTORV\\NEW\\DATA");
        WriteFile("C:\\WINTORV\\TORVEX.EXE", "old main");
        WriteFile("C:\\WINTORV\\NEW\\DATA\\X.DB", "old blank");
        archives_.clear();
        archives_["EXE"] = copy_test::ArchiveOf({{"TORVEX.EXE", "new main"}});
        // Its folders NEW\LUNA and NEW\LUNA\VECHI are made by the copy.
        archives_["DBNEW"] = copy_test::ArchiveOf({{"NEW\\DATA\\X.DB", "new blank"}, {"NEW\\LUNA\\VECHI\\L.DB", "month"}});
        MakeCd();
    }

    // Every file and folder of drive C: with its bytes, but the working folder.
    Tree Installation() {
        Tree tree;
        const std::filesystem::path drive = Machine().HostPath("C:\\");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(drive)) {
            const std::string name = std::filesystem::relative(entry.path(), drive).string();
            if (name.rfind("TEMP", 0) == 0) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            tree[name] = entry.is_directory() ? "<folder>" : std::string(std::istreambuf_iterator<char>(in), {});
        }
        return tree;
    }

    // A start of the program on the disks as they are; the copy page's two tries: the
    // first fails on the month's table, the second is killed at its operation `killAt`
    // (never, at 0). The number of operations the second try took.
    uint64_t FailThenRetry(uint64_t killAt) {
        plat::HostPlatform machine(root_);
        machine.AddDrive('D', plat::DriveType::CdRom, root_ + "/cd");
        plat::SetCurrent(&machine);
        ui::headless::Script script;
        for (int box = 0; box < 10; ++box) script.CloseMessage(ui::mrOk);
        pages::TUpgCopy page;
        machine.FailWritesAfter("L.DB", 1);
        page.BNextClick();
        EXPECT_EQ(page.ModalResult, ui::mrNone);
        machine.ClearFaults();
        const uint64_t start = machine.Operations();
        if (killAt) machine.StopAtOperation(start + killAt);
        page.BNextClick();
        const uint64_t took = machine.Operations() - start;
        plat::SetCurrent(nullptr);
        return took;
    }

    // The next start's recovery; true when a journal is still named afterwards.
    bool StartAgain() {
        plat::HostPlatform machine(root_);
        plat::SetCurrent(&machine);
        journal::RecoverInterruptedUpgrade();
        const bool named = !machine.RegistryReadString(journal::kPointerKey, journal::kPointerValue).value_or("").empty();
        plat::SetCurrent(nullptr);
        return named;
    }

    void Copy(const std::string& from, const std::string& to) {
        std::filesystem::remove_all(to);
        std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
    }
};

TEST_F(JournalRetryTest, ARetryKilledAtAnyStepLeavesTheOldInstallationOrTheNewOne) {
    const std::string saved = root_ + ".saved";
    Copy(root_, saved);
    const Tree before = Installation();
    const uint64_t steps = FailThenRetry(0);
    const Tree after = Installation();
    ASSERT_EQ(after.at("WinTorv/NEW/LUNA/VECHI/L.DB"), "month");
    for (uint64_t n = 1; n <= steps; ++n) {
        Copy(saved, root_);
        FailThenRetry(n);
        const bool journalLeft = StartAgain();
        const Tree now = Installation();
        EXPECT_TRUE((now == before || now == after) && !journalLeft)
            << "killed at step " << n << " of " << steps << (journalLeft ? ", journal left" : "")
            << (now.count("WinTorv/NEW/LUNA") && !now.count("WinTorv/NEW/LUNA/VECHI/L.DB") ? ", NEW\\LUNA left" : "");
    }
    std::filesystem::remove_all(saved);
    plat::SetCurrent(&Machine());
}

TEST_F(JournalRetryTest, ARegistryValueThatCannotNameTheJournalIsNamedInTheBox) {
    const Tree before = Installation();
    ui::headless::Script script;
    script.CloseMessage(ui::mrOk);
    pages::TUpgCopy page;
    Machine().FailOperation(Machine().Operations() + 1);  // the value is the first thing written
    page.BNextClick();
    EXPECT_EQ(page.ModalResult, ui::mrNone);
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, "EROARE LA COPIERE,\r\rNu pot scrie valoarea de registru HKLM\\Software\\WinTORVEX\\Setup UpgradeJournal");
    EXPECT_EQ(Installation(), before);
}

}  // namespace

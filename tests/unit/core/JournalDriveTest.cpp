// The start's recovery of an upgrade copy that was interrupted, when what its journal
// names cannot be seen: the journal stays for the next start, and the box says why.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/UpgradeRecovery.h"
#include "journal/JournalFile.h"
#include "journal/UpgradeJournal.h"
#include "tests/support/VirtualMachine.h"
#include "ui/headless/ScriptedUser.h"

namespace {

using journal::Step;

class JournalDriveTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        Machine().AddDrive('N', plat::DriveType::Remote);
    }

    // The copy killed after it replaced `installed` (moved aside as `kept`) on each drive.
    void Interrupted(const std::string& journalPath, const std::vector<Step>& steps) {
        std::string text = journal::HeaderLine();
        for (const Step& step : steps) {
            MakeFolders(journal::KeepFolderFor(step.path));
            MakeFolders(step.path.substr(0, step.path.rfind('\\')));
            WriteFile(step.kept, "old " + step.path);
            WriteFile(step.path, "new");
            text += journal::StepLine(step);
        }
        MakeFolders(journal::KeepFolderFor(journalPath));
        WriteFile(journalPath, text);
        Machine().RegistryWriteString(journal::kPointerKey, journal::kPointerValue, journalPath);
    }

    // One start: its recovery, every box closed; the boxes' texts.
    std::vector<std::string> Start() {
        ui::headless::Script script;
        script.CloseMessage(ui::mrOk);
        core::RecoverInterruptedUpgrade();
        std::vector<std::string> texts;
        for (const auto& box : script.Messages()) texts.push_back(box.text);
        return texts;
    }

    std::string Pointer() { return Machine().RegistryReadString(journal::kPointerKey, journal::kPointerValue).value_or(""); }
    void SetDriveN(bool there) {
        const std::string drive = root_ + "/n", away = root_ + "/n-away";
        there ? std::filesystem::rename(away, drive) : std::filesystem::rename(drive, away);
    }
};

TEST_F(JournalDriveTest, WhatCannotBeSeenWaitsForTheNextStart) {
    const Step onC{Step::Kept, "C:\\WINTORV\\TORVEX.EXE", "C:\\~TORVUPG\\1.VEC"};
    const Step onN{Step::Kept, "N:\\DATE\\FIRMA.DB", "N:\\~TORVUPG\\2.VEC"};
    const struct {
        const char* what;
        std::string journal;
        std::string inBox;  // what the first start's box names
    } cases[] = {
        {"a kept file's drive is not connected", "C:\\~TORVUPG\\JURNAL.TXT", "N:\\DATE\\FIRMA.DB (discul N: nu este disponibil)"},
        {"the journal's own drive is not connected", "N:\\~TORVUPG\\JURNAL.TXT", "este pe discul N:, care nu este disponibil"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Interrupted(c.journal, {onC, onN});
        SetDriveN(false);
        const std::vector<std::string> boxes = Start();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(c.inBox), std::string::npos) << boxes[0];
        EXPECT_EQ(Pointer(), c.journal);

        SetDriveN(true);
        EXPECT_TRUE(Start().empty());
        EXPECT_EQ(ReadFile(onC.path), "old " + onC.path);
        EXPECT_EQ(ReadFile(onN.path), "old " + onN.path);
        EXPECT_EQ(Pointer(), "");
        EXPECT_FALSE(Machine().FileExists(c.journal));
    }
}

TEST_F(JournalDriveTest, AFileGoneWithItsKeptCopyKeepsTheJournal) {
    const Step step{Step::Kept, "C:\\WINTORV\\TORVEX.EXE", "C:\\~TORVUPG\\1.VEC"};
    Interrupted("C:\\~TORVUPG\\JURNAL.TXT", {step});
    Machine().RemoveFile(step.path);
    Machine().RemoveFile(step.kept);
    const std::vector<std::string> boxes = Start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("C:\\WINTORV\\TORVEX.EXE (lipseste, ca si copia lui C:\\~TORVUPG\\1.VEC)"), std::string::npos)
        << boxes[0];
    EXPECT_EQ(Pointer(), "C:\\~TORVUPG\\JURNAL.TXT");
}

}  // namespace

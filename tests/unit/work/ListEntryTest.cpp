// The product's entry in the system's list of programs, as an installation writes it and
// its uninstall takes it away, on the virtual machine.
#include <gtest/gtest.h>

#include <variant>

#include "product/ProgramIdentity.h"
#include "record/Recording.h"
#include "tests/support/RecordingReports.h"
#include "tests/support/VirtualMachine.h"
#include "work/configure/InstallRecording.h"
#include "work/uninstall/UninstallWork.h"

namespace {

const std::string kListKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinTORVEX";

// A SERVER installation in C:\WinTorv, its data in C:\TorvDate, recorded as a run does once
// its copy is done: 7,100 bytes in the program folder with the uninstaller, 4,000 outside.
class ListEntryTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        record::ForgetThisRun();
        MakeFolders("C:\\TEMP");
        MakeFolders("C:\\WinTorv\\HELP");
        MakeFolders("C:\\TorvDate");
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        WriteFile("C:\\TEMP\\INSTTORV.EXE", std::string(2000, 'P'));
        const std::pair<const char*, size_t> files[] = {
            {"C:\\WinTorv\\TORVEX.EXE", 5000}, {"C:\\WinTorv\\HELP\\TORVEX.HLP", 100}, {"C:\\TorvDate\\FIRMA.DB", 4000}};
        for (const auto& [path, size] : files) {
            WriteFile(path, std::string(size, 'x'));
            record::NoteFile(record::ThisRun().product, path);
        }
        testing_support::RecordingReports reports;
        ASSERT_TRUE(work::RecordThisRun({core::InstallServer, "C:\\WinTorv", "C:\\WinTorv", "C:\\TorvDate"}, reports));
    }
};

TEST_F(ListEntryTest, NamesTheProgramItsVersionIconAndSizeAndOffersNeitherChangeNorRepair) {
    const std::pair<const char*, std::variant<std::string, uint32_t>> expected[] = {
        {"DisplayName", "WinTORVEX"},
        {"DisplayVersion", product::kVersionText},
        {"DisplayIcon", "C:\\WinTorv\\DEZINST.EXE,0"},
        {"UninstallString", "\"C:\\WinTorv\\DEZINST.EXE\" -uninstall"},
        {"InstallLocation", "C:\\WinTorv"},
        {"Publisher", "TORVEX"},
        {"EstimatedSize", 7u},  // KB, rounded up; the data folder is not the program's
        {"NoModify", 1u},
        {"NoRepair", 1u},
    };
    for (const auto& [name, data] : expected) {
        if (std::holds_alternative<uint32_t>(data))
            EXPECT_EQ(Machine().RegistryReadDword(kListKey, name), std::get<uint32_t>(data)) << name;
        else
            EXPECT_EQ(Machine().RegistryReadString(kListKey, name), std::get<std::string>(data)) << name;
    }
}

TEST_F(ListEntryTest, TheUninstallTakesTheWholeEntryAway) {
    const std::string recordPath = "C:\\WinTorv\\DEZINST.INI";
    work::UninstallWork work(record::ReadRecordFile(recordPath).record, recordPath);
    work.RemoveProgramFiles();
    work.RemoveFromSystem();
    EXPECT_TRUE(work.Outcome().failures.empty());
    EXPECT_FALSE(Machine().RegistryKeyExists(kListKey));
}

}  // namespace

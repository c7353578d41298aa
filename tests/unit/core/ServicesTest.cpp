#include <gtest/gtest.h>

#include "core/InstallState.h"
#include "core/DiskCount.h"
#include "core/RunAndWait.h"
#include "tests/support/VirtualMachine.h"

using namespace core;

class ServicesTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        MakeFolders("C:\\TEMP\\WORK");
        Machine().SetModuleFileName("C:\\TEMP\\WORK\\INSTTORV.EXE");
        ResetState();
    }
};

TEST_F(ServicesTest, DiskCountComesFromTheConfigurationBesideTheProgram) {
    WriteFile("C:\\TEMP\\WORK\\INSTTORV.CFG", "[General]\r\nNrDiscuri=3\r\n");
    ReadDiskCount();
    EXPECT_EQ(State().DiskCount, 3);
}

TEST_F(ServicesTest, DiskCountRulesForMissingAndDamagedValues) {
    ReadDiskCount();
    EXPECT_EQ(State().DiskCount, 6) << "no file";
    WriteFile("C:\\TEMP\\WORK\\insttorv.cfg", "[General]\r\nOther=1\r\n");
    ReadDiskCount();
    EXPECT_EQ(State().DiskCount, 6) << "no key";
    WriteFile("C:\\TEMP\\WORK\\insttorv.cfg", "[General]\r\nNrDiscuri=abc\r\n");
    ReadDiskCount();
    EXPECT_EQ(State().DiskCount, 0) << "letters only";
    WriteFile("C:\\TEMP\\WORK\\insttorv.cfg", "[General]\r\nNrDiscuri=12ab\r\n");
    ReadDiskCount();
    EXPECT_EQ(State().DiskCount, 12) << "leading digits";
    WriteFile("C:\\TEMP\\WORK\\insttorv.cfg", std::string("\0\xff[Gen", 6));
    ReadDiskCount();
    EXPECT_EQ(State().DiskCount, 6) << "garbage";
}

TEST_F(ServicesTest, RunAndWaitReturnsTheExitCodeOrMinusOne) {
    Machine().MapProgram("HHUPD", [](const std::string&) { return int64_t{3}; });
    Machine().MapProgram("BIG", [](const std::string&) { return int64_t{-2}; });
    EXPECT_EQ(RunAndWait("C:\\WinTorv\\HHUPD.EXE /q", 5), 3);
    EXPECT_EQ(RunAndWait("BIG", 5), -2);
    EXPECT_EQ(RunAndWait("C:\\nothing\\here.exe", 5), -1);
}

TEST_F(ServicesTest, RunAndWaitRefusesACommandTooLongRatherThanCuttingIt) {
    int runs = 0;
    Machine().MapProgram("HHUPD", [&](const std::string&) { return int64_t{++runs}; });
    Machine().SetMaxCommandLine(600);
    std::string longLine = "HHUPD " + std::string(594, 'x');
    EXPECT_EQ(RunAndWait(longLine, 5), 1) << "600 characters fit";
    EXPECT_EQ(RunAndWait(longLine + "y", 5), -1);
    EXPECT_EQ(runs, 1);
}

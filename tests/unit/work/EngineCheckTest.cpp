#include <gtest/gtest.h>

#include <functional>

#include "core/InstallState.h"
#include "work/copy/CopyWork.h"
#include "work/engine/EngineCheck.h"
#include "tests/support/RecordingReports.h"
#include "tests/support/VirtualMachine.h"

using namespace work;

namespace {
constexpr char kInitKey[] = "Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr char kEngineKey[] = "Software\\Borland\\Database Engine";
constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}  // namespace

TEST(VersionNumberTest, TakesTheWholePartOfAVersion) {
    struct Case {
        const char* text;
        int number;
    } cases[] = {{"3.9", 3}, {"4.5", 4}, {"5", 5}, {"10.1", 10}, {"", 0}, {"4,2", 4}, {"5.01", 5}};
    for (const Case& c : cases) EXPECT_EQ(work::VersionNumber(c.text), c.number) << c.text;
    EXPECT_FALSE(work::IsOldEngineVersion("4.0"));
    EXPECT_FALSE(work::IsOldEngineVersion("5.01"));
    EXPECT_TRUE(work::IsOldEngineVersion("3.5"));
}

TEST(UnzipPercentTest, RoundsHalvesToEvenAndStaysInRange) {
    EXPECT_EQ(work::UnzipPercent(1, 8), 12);   // 12.5
    EXPECT_EQ(work::UnzipPercent(3, 8), 38);   // 37.5
    EXPECT_EQ(work::UnzipPercent(8, 8), 100);
    EXPECT_EQ(work::UnzipPercent(5, 0), 0) << "no archive to measure";
}

class EngineCheckTest : public testing_support::VirtualMachineTest {
protected:
    testing_support::RecordingReports reports_;
    void SetUp() override {
        VirtualMachineTest::SetUp();
        core::ResetState();
        Machine().RegistryWriteString(kWindowsKey, "ProgramFilesDir", "C:\\Program Files");
        MakeFolders("C:\\Program Files");
    }
    void TearDown() override {
        EXPECT_TRUE(reports_.Ok()) << "the check told something unasked: " << reports_.Error();
        VirtualMachineTest::TearDown();
    }

    // An engine's library where its DLLPATH says.
    void PlaceEngineLibrary() {
        MakeFolders("C:\\BDE");
        WriteFile("C:\\BDE\\IDAPI32.DLL", "engine");
        Machine().RegistryWriteString(kEngineKey, "DLLPATH", "D:\\NONE;C:\\BDE");
    }
};

TEST_F(EngineCheckTest, AnInstalledEngineIsNeverOverwrittenAndAnOldOneIsWarnedAbout) {
    struct Case {
        const char* version;
        bool warned;
    } cases[] = {{"4.0", false}, {"5.01", false}, {"3.5", true}};
    PlaceEngineLibrary();
    for (const Case& c : cases) {
        core::ResetState();
        Machine().RegistryWriteString(kInitKey, "VERSION", c.version);
        testing_support::RecordingReports reports;
        if (c.warned) reports.Answer(work::Answer::Ok);
        EXPECT_EQ(work::CheckEngine(core::State().OldEngineFlag, reports).kind, work::EngineTarget::Skip) << c.version;
        EXPECT_EQ(core::State().OldEngineFlag, c.warned) << c.version;
        ASSERT_TRUE(reports.Ok()) << c.version << ": " << reports.Error();
        if (c.warned) {
            EXPECT_EQ(reports.notices[0].look, work::Look::Error);
            EXPECT_NE(reports.notices[0].text.find("motor baza de date (BDE)"), std::string::npos);
            ASSERT_FALSE(reports.headings.empty());
            EXPECT_EQ(reports.headings.back(), "PENTRU CONTINUARE");
        }
    }
}

TEST_F(EngineCheckTest, WithoutAnEngineItsFoldersAreMadeUnderProgramFiles) {
    // No key at all; the key as Wine makes it, without DLLPATH; a DLLPATH whose library
    // was removed.
    const std::function<void()> machines[] = {
        [] {},
        [this] { Machine().RegistryWriteString(kInitKey, "SHAREDMEMLOCATION", "9000"); },
        [this] {
            Machine().RegistryWriteString(kInitKey, "VERSION", "3.5");
            Machine().RegistryWriteString(kEngineKey, "DLLPATH", "C:\\BDE");
        },
    };
    for (size_t i = 0; i < std::size(machines); ++i) {
        SCOPED_TRACE(i);
        machines[i]();
        EXPECT_FALSE(work::EngineInstalled());
        work::EngineTarget target = work::CheckEngine(core::State().OldEngineFlag, reports_);
        EXPECT_EQ(target.kind, work::EngineTarget::Extract);
        EXPECT_EQ(target.folder, "C:\\Program Files\\Borland\\Common Files\\BDE");
        EXPECT_TRUE(Machine().DirectoryExists(target.folder));
        EXPECT_FALSE(core::State().OldEngineFlag) << "a version without its engine warns of nothing";
    }
}

TEST_F(EngineCheckTest, AfterAnOldEngineWasFoundTheEngineGoesWhereDllPathSays) {
    core::State().OldEngineFlag = true;
    Machine().RegistryWriteString(kEngineKey, "DLLPATH", "D:\\OLDBDE");
    work::EngineTarget target = work::CheckEngine(core::State().OldEngineFlag, reports_);
    EXPECT_EQ(target.kind, work::EngineTarget::Extract);
    EXPECT_EQ(target.folder, "D:\\OLDBDE");
}

TEST_F(EngineCheckTest, AFolderThatCannotBeMadeIsNamed) {
    Machine().FailCreateDirectory("C:\\Program Files\\Borland\\Common Files");
    work::EngineTarget target = work::CheckEngine(core::State().OldEngineFlag, reports_);
    EXPECT_EQ(target.kind, work::EngineTarget::Failed);
    EXPECT_EQ(target.folder, "C:\\Program Files\\Borland\\Common Files");
}

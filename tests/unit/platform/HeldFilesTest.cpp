#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "platform/HeldFiles.h"
#include "tests/support/VirtualMachine.h"

class HeldFilesTest : public testing_support::VirtualMachineTest {};

TEST_F(HeldFilesTest, HeldFilesAreWaitedForAWhileOtherFailuresAreNot) {
    using Operation = std::function<bool(plat::HostPlatform&)>;
    const Operation remove = [](auto& vm) { return vm.RemoveFile("C:\\NEW.EXE"); };
    const Operation replace = [](auto& vm) { return vm.RenameFile("C:\\~TMP.EXE", "C:\\NEW.EXE", true); };
    const Operation create = [](auto& vm) { return vm.Open("C:\\NEW.EXE", plat::OpenMode::Create) != nullptr; };
    const Operation removeNone = [](auto& vm) { return vm.RemoveFile("C:\\NONE.EXE"); };
    const Operation append = [](auto& vm) { return vm.Open("C:\\NEW.EXE", plat::OpenMode::Append) != nullptr; };
    constexpr uint32_t kForGood = 0;
    const uint64_t allPauses = std::accumulate(plat::kHeldFilePausesMs.begin(), plat::kHeldFilePausesMs.end(), 0ull);
    const struct {
        Operation operation;
        const char* held;  // the file held, or none
        uint32_t holdMs;
        bool done, waits;
    } cases[] = {
        {remove, "C:\\NEW.EXE", 2000, true, true},   {remove, "C:\\NEW.EXE", kForGood, false, true},
        {replace, "C:\\~TMP.EXE", 2000, true, true}, {replace, "C:\\NEW.EXE", kForGood, false, true},
        {create, "C:\\NEW.EXE", 4000, true, true},   {remove, nullptr, 0, true, false},
        {removeNone, nullptr, 0, false, false},      {append, "C:\\NEW.EXE", 2000, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.held ? c.held : "nothing held") + " " + std::to_string(c.holdMs));
        TearDown();
        SetUp();
        WriteFile("C:\\NEW.EXE", "old");
        WriteFile("C:\\~TMP.EXE", "new");
        std::vector<std::string> notes;
        Machine().WatchHeldFiles([&](const std::string& path) { notes.push_back(path); });
        if (c.held) c.holdMs == kForGood ? Machine().HoldFile(c.held) : Machine().HoldFileFor(c.held, c.holdMs);

        EXPECT_EQ(c.operation(Machine()), c.done);
        EXPECT_EQ(notes, c.waits ? std::vector<std::string>{c.held} : std::vector<std::string>{});
        EXPECT_EQ(Machine().PausedMs() > 0, c.waits);
        if (c.waits && c.done) {
            EXPECT_LT(Machine().PausedMs(), c.holdMs * 2ull) << "a hold that ends is not waited for long";
        }
        if (c.waits && !c.done) {
            EXPECT_EQ(Machine().PausedMs(), allPauses) << "a lasting hold is waited for to the end";
        }
    }
    EXPECT_EQ(allPauses, 5000u);
}

TEST_F(HeldFilesTest, AFileInUseCostsTheWholeWaitOnceNotOnceForEachFile) {
    for (const char* name : {"C:\\A.DLL", "C:\\B.DLL", "C:\\C.DLL"}) {
        WriteFile(name, "x");
        Machine().HoldFile(name);
    }
    EXPECT_FALSE(Machine().RemoveFile("C:\\A.DLL"));
    const uint64_t wholeWait = Machine().PausedMs();
    EXPECT_FALSE(Machine().RemoveFile("C:\\B.DLL"));
    EXPECT_EQ(Machine().PausedMs() - wholeWait, 350u) << "the next file in use gets the short pauses only";
    Machine().ReleaseFile("C:\\C.DLL");
    WriteFile("C:\\D.DLL", "x");
    Machine().HoldFileFor("C:\\D.DLL", 300);
    EXPECT_TRUE(Machine().RemoveFile("C:\\D.DLL")) << "a hold that ends within the short pauses";
    Machine().HoldFileFor("C:\\C.DLL", 2000);
    EXPECT_TRUE(Machine().RemoveFile("C:\\C.DLL")) << "once a hold ended, the whole wait again";
}


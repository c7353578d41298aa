#include <gtest/gtest.h>

#include "core/InstallState.h"

using namespace core;

TEST(InstallStateTest, StartsWithTheDefaultFolders) {
    ResetState();
    State().ProgramDir = "D:\\Else";
    ResetState();
    const InstallState& s = State();
    EXPECT_EQ(s.ProgramDir, "C:\\WinTorv");
    EXPECT_EQ(s.WorkDir, "C:\\WinTorv");
    EXPECT_EQ(s.DataDir, "C:\\WinTorv");
    EXPECT_EQ(s.WorkDataDir, "C:\\WinTorv");
    EXPECT_EQ(s.DiskCount, 1);
    EXPECT_EQ(s.InstallType, InstallNone);
    EXPECT_FALSE(s.IsUpgrade);
}

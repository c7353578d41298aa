#include <gtest/gtest.h>

#include "tools/mkmedia/DiskPlan.h"

using namespace mkmedia;

TEST(DiskPlanTest, PiecesFillEachDiskInOrderAfterTheInstallerSet) {
    constexpr uint64_t kDisk = 200 * 1024;
    const std::vector<SizedFile> installer = {{"INSTALL.EXE", 100 * 1024 + 1}, {"INSTALL.CFG", 30}};
    const std::vector<SizedFile> archives = {{"EXE", 350 * 1024}, {"HELP", 1000}};
    const DiskPlan plan = PlanDisks(installer, archives, kDisk);
    ASSERT_TRUE(plan.error.empty()) << plan.error;
    ASSERT_EQ(plan.disks.size(), 3u);
    // Disk 1: 100 KiB + 2 clusters of installer, the rest is EXE.1.
    const uint64_t firstRoom = kDisk - (100 * 1024 + 512) - 512;
    EXPECT_EQ(plan.disks[0].size(), 1u);
    EXPECT_EQ(plan.disks[0][0].size, firstRoom);
    EXPECT_EQ(plan.disks[1][0].number, 2);
    EXPECT_EQ(plan.disks[1][0].offset, firstRoom);
    EXPECT_EQ(plan.disks[1][0].size, kDisk);
    EXPECT_EQ(plan.disks[2][0].number, 3);
    EXPECT_EQ(plan.disks[2][0].offset + plan.disks[2][0].size, 350u * 1024);
    EXPECT_EQ(plan.disks[2][1].archive, "HELP");
    EXPECT_EQ(plan.disks[2][1].number, 1);
}

TEST(DiskPlanTest, Disk1MustHoldTheInstallerSetWithRoomForPieces) {
    EXPECT_FALSE(PlanDisks({{"INSTALL.EXE", kFloppyBytes - kMinPieceRoom + 1}}, {{"EXE", 10}}, kFloppyBytes).error.empty());
    EXPECT_TRUE(PlanDisks({{"INSTALL.EXE", 640 * 1024}}, {{"EXE", 10}}, kFloppyBytes).error.empty());
}

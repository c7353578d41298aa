#include <gtest/gtest.h>

#include "core/InstallState.h"
#include "product/MediaPieces.h"
#include "tests/support/VirtualMachine.h"

using namespace core;
using namespace product;

namespace {
constexpr ComponentSet kLocal = ComponentSets[InstallLocal];
constexpr ComponentSet kClient = ComponentSets[InstallClient];
}  // namespace

TEST(MediaPiecesTest, RecognisesPiecesOfTheSelectedArchivesOnly) {
    struct Case {
        const char* name;
        ComponentSet selection;
        std::optional<int> component;
    } cases[] = {
        {"exe.1", kLocal, 0},        {"EXE.01", kLocal, 0},        {"VANTIR.12", kLocal, 1},
        {"DBDAT.1", kLocal, 2},      {"DBDAT.1", kClient, std::nullopt},
        {"EXE.ZIP", kLocal, std::nullopt},  {"README.1", kLocal, std::nullopt},
        {"SETUP.EXE", kLocal, std::nullopt}, {"EXE", kLocal, std::nullopt},
        {"EXE.1A", kLocal, std::nullopt},   {"DISK1", kLocal, std::nullopt},
        {".", kLocal, std::nullopt},  {"..", kLocal, std::nullopt},   {"EXE.1", 0, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(PieceComponent(c.name, c.selection), c.component) << c.name;
    EXPECT_EQ(PieceArchiveName("exe.1"), "exe.ZIP");
    EXPECT_TRUE(PieceStartsArchive("exe.1"));
    EXPECT_FALSE(PieceStartsArchive("EXE.01"));
    EXPECT_FALSE(PieceStartsArchive("EXE.11"));
}

TEST(MediaPiecesTest, JoinsInTheNumericOrderOfExtensionsTenAfterNine) {
    std::vector<plat::DirEntry> entries = {
        {"EXE.10", false, 1}, {"help.1", false, 1}, {"EXE.2", false, 1}, {"EXE.9", false, 1},
        {"EXE.3", true, 0},   {"EXE.1", false, 1},  {"DISK1", false, 0}, {"EXE.ZIP", false, 1},
    };
    EXPECT_EQ(PiecesInJoiningOrder(entries, kLocal),
              (std::vector<std::string>{"EXE.1", "EXE.2", "EXE.9", "EXE.10", "help.1"}));
}

class PieceJoinerTest : public testing_support::VirtualMachineTest {};

TEST_F(PieceJoinerTest, APieceOfExactlyOneBufferIsCopiedWholeAndLaterPiecesAppended) {
    std::string first(size_t(kPieceCopyBuffer), 'a');
    first.back() = 'z';
    WriteFile("C:\\EXE.1", first);
    WriteFile("C:\\EXE.2", "tail");
    WriteFile("C:\\EXE.ZIP", "an older archive that piece 1 replaces");
    PieceJoiner joiner;
    EXPECT_EQ(joiner.Append("C:\\EXE.1", "C:\\EXE.ZIP", true), JoinFault::None);
    EXPECT_EQ(joiner.Append("C:\\EXE.2", "C:\\EXE.ZIP", false), JoinFault::None);
    EXPECT_EQ(ReadFile("C:\\EXE.ZIP"), first + "tail");
}

TEST_F(PieceJoinerTest, SaysWhichSideFailed) {
    WriteFile("C:\\EXE.1", std::string(5000, 'x'));
    PieceJoiner joiner;
    EXPECT_EQ(joiner.Append("C:\\MISSING.1", "C:\\EXE.ZIP", true), JoinFault::PieceUnreadable);
    Machine().FailOpen("C:\\EXE.ZIP");
    EXPECT_EQ(joiner.Append("C:\\EXE.1", "C:\\EXE.ZIP", true), JoinFault::ArchiveNotCreated);
    Machine().ClearFaults();
    Machine().FailWritesAfter("EXE.ZIP", 100);
    EXPECT_EQ(joiner.Append("C:\\EXE.1", "C:\\EXE.ZIP", true), JoinFault::ArchiveNotWritten);
}

TEST_F(PieceJoinerTest, ADiskIsPresentByItsMarkerFileNotByAFolder) {
    MakeFolders("C:\\MEDIA\\DISK1");
    WriteFile("C:\\MEDIA\\DISK2", "");
    EXPECT_FALSE(DiskPresent("C:\\MEDIA", 1));
    EXPECT_TRUE(DiskPresent("C:\\MEDIA\\", 2));
    EXPECT_EQ(DiskMarkerName(12), "DISK12");
}

// The qunzip command: its lines and its exit status, run as a user runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/RunCommand.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"


namespace {

class QunzipTool : public unzip_test::UnzipTest {
protected:
    using Outcome = testing_support::CommandOutcome;
    Outcome Qunzip(const std::string& arguments, const std::string& environment = "") {
        return testing_support::RunCommand(environment + " " + std::string(QUNZIP_PATH) + " " + arguments);
    }
    std::string Quoted(const std::string& windowsPath) { return "'" + Host(windowsPath) + "'"; }
};

TEST_F(QunzipTool, ExtractsTestsAndListsEveryRealArchive) {
    const std::string folder = TORVEX_SHARED_TESTDATA;
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no shared test data";
    int archives = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".zip") continue;
        ++archives;
        const std::string archive = "'" + entry.path().string() + "'";
        const Outcome extracted = Qunzip("x " + archive + " " + Quoted("C:\\OUT"));
        EXPECT_EQ(extracted.status, 0) << entry.path() << "\n" << extracted.output;
        EXPECT_NE(extracted.output.find("  extracting: "), std::string::npos);
        EXPECT_NE(extracted.output.find(" extracted, 0 failed"), std::string::npos);
        EXPECT_EQ(Qunzip("t " + archive).status, 0) << entry.path();
        EXPECT_EQ(Qunzip("l " + archive).status, 0) << entry.path();
    }
    EXPECT_EQ(archives, 5);
}

TEST_F(QunzipTool, ExitStatusFollowsTheWorstOutcome) {
    oldzip::ZipMember wrong = oldzip::StoredMember("wrong.txt", "data");
    wrong.crc ^= 1;
    oldzip::ZipOffsets offsets;
    std::string broken = oldzip::WriteZip({oldzip::StoredMember("a.txt", "a"), oldzip::StoredMember("b.txt", "b")},
                                          {}, &offsets);
    broken[offsets.localHeaders[1]] = 'Q';
    PutFile("C:\\GOOD.ZIP", oldzip::WriteZip({oldzip::StoredMember("good.txt", "good")}));
    PutFile("C:\\CRC.ZIP", oldzip::WriteZip({wrong, oldzip::StoredMember("fine.txt", "fine")}));
    PutFile("C:\\BROKEN.ZIP", broken);
    PutFile("C:\\TEXT.ZIP", "not an archive");

    const Outcome good = Qunzip("x " + Quoted("C:\\GOOD.ZIP") + " " + Quoted("C:\\OUT"));
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(ReadFile("C:\\OUT\\good.txt"), "good");

    const Outcome crc = Qunzip("x " + Quoted("C:\\CRC.ZIP") + " " + Quoted("C:\\OUT"));
    EXPECT_EQ(crc.status, 1);
    EXPECT_NE(crc.output.find("  extracting: wrong.txt  CRC error\n"), std::string::npos) << crc.output;
    EXPECT_EQ(ReadFile("C:\\OUT\\fine.txt"), "fine");

    EXPECT_EQ(Qunzip("x " + Quoted("C:\\BROKEN.ZIP") + " " + Quoted("C:\\OUT")).status, 2);
    EXPECT_EQ(Qunzip("t " + Quoted("C:\\TEXT.ZIP")).status, 2);
    EXPECT_EQ(Qunzip("t " + Quoted("C:\\MISSING.ZIP")).status, 2);
    EXPECT_EQ(Qunzip("").status, 3);
    EXPECT_EQ(Qunzip("x only-two").status, 3);
    EXPECT_EQ(Qunzip("q a b").status, 3);
    const Outcome help = Qunzip("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage"), std::string::npos);
}

TEST_F(QunzipTool, TestingWritesNothing) {
    PutFile("C:\\T.ZIP", oldzip::WriteZip({oldzip::StoredMember("dir/a.txt", "a"), oldzip::ShrunkMember("b.txt", "bbbb")}));
    const auto before = std::filesystem::directory_iterator(Host("C:\\"));
    const Outcome tested = Qunzip("t " + Quoted("C:\\T.ZIP"));
    EXPECT_EQ(tested.status, 0) << tested.output;
    EXPECT_NE(tested.output.find("dir\\a.txt"), std::string::npos);
    EXPECT_FALSE(Exists("C:\\dir"));
    EXPECT_FALSE(Exists("C:\\b.txt"));
}

TEST_F(QunzipTool, ListingHonoursThePattern) {
    PutFile("C:\\L.ZIP", oldzip::WriteZip({oldzip::StoredMember("A.DLL", "1"), oldzip::StoredMember("B.EXE", "22")}));
    const Outcome listed = Qunzip("l " + Quoted("C:\\L.ZIP") + " '*.DLL'");
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.output.find("A.DLL"), std::string::npos);
    EXPECT_EQ(listed.output.find("B.EXE"), std::string::npos);
    EXPECT_NE(listed.output.find("1 members"), std::string::npos);
}

TEST_F(QunzipTool, SpeaksInWordsAndShowsNoRawControlCharacters) {
    oldzip::ZipMember dos = oldzip::StoredMember("\x84.txt", "d");  // IBM 437: a-umlaut
    PutFile("C:\\W.ZIP", oldzip::WriteZip({oldzip::StoredMember("evil\x1b[31m.txt", "e"), dos}));
    const Outcome tested = Qunzip("t " + Quoted("C:\\W.ZIP"));
    EXPECT_EQ(tested.status, 0);
    EXPECT_NE(tested.output.find("evil\\x1B[31m.txt  OK\n"), std::string::npos) << tested.output;
    EXPECT_EQ(tested.output.find('\x1b'), std::string::npos);

    const Outcome utf8 = Qunzip("--verbose x " + Quoted("C:\\W.ZIP") + " " + Quoted("C:\\OUT"), "LC_ALL=C.UTF-8");
    EXPECT_NE(utf8.output.find("  extracting: \xC3\xA4.txt  (StatusFileDone 0 ZipOk)\n"), std::string::npos)
        << utf8.output;

    const Outcome missing = Qunzip("t " + Quoted("C:\\MISSING.ZIP"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("No such file or directory"), std::string::npos) << missing.output;
}

TEST_F(QunzipTool, AClosedOutputPipeLeavesNoScratchFolderBehind) {
    std::vector<oldzip::ZipMember> members;
    // More lines than a pipe holds, so that qunzip is still writing when the reader goes.
    for (int i = 0; i < 3000; ++i)
        members.push_back(oldzip::StoredMember("m" + std::to_string(i) + std::string(40, '-'), "x"));
    PutFile("C:\\MANY.ZIP", oldzip::WriteZip(members));
    MakeFolders("C:\\TMP");
    const Outcome cut = Qunzip("t " + Quoted("C:\\MANY.ZIP") + " | head -c 1", "TMPDIR=" + Host("C:\\TMP"));
    EXPECT_EQ(cut.output, "m");
    EXPECT_TRUE(std::filesystem::is_empty(Host("C:\\TMP")));
}

}  // namespace

// The directory walk, LooksLikeZip, ListArchive and MeasureArchive.
#include <gtest/gtest.h>

#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/ZipCodes.h"
#include "unzip/ZipDirectory.h"

namespace {

using oldzip::StoredMember;
using oldzip::WriteZip;
using unzip::ZipDirCursor;

class ZipDirectory : public unzip_test::UnzipTest {
protected:
    // The names the walk yields, or the walk's first failure as "#code".
    std::vector<std::string> Walk(const std::string& path) {
        std::vector<std::string> names;
        ZipDirCursor cursor;
        int32_t result = unzip::OpenZipDir(path, cursor);
        if (result != unzip::ZipOk) return {"#" + std::to_string(result)};
        while (result == unzip::ZipOk) {
            names.push_back(cursor.FileName);
            result = unzip::NextZipDirEntry(cursor);
        }
        EXPECT_EQ(result, unzip::ZipNoMoreEntries);
        EXPECT_FALSE(cursor.IsOpen());
        return names;
    }
};

TEST_F(ZipDirectory, EntriesComeInOrderWithTheirFields) {
    oldzip::ZipMember first = StoredMember("dir/sub/a.txt", "hello");
    first.dosTime = 0x1234;
    first.dosDate = 0x5678;
    first.externalAttributes = 0x21;
    oldzip::ZipMember second = StoredMember("b.txt", "world!");
    second.hostSystem = 3;  // Unix: attributes are not MS-DOS ones
    second.externalAttributes = 0x21;
    second.extra = std::string(9, 'x');
    second.comment = "a comment";
    oldzip::ZipOffsets offsets;
    PutFile("C:\\A.ZIP", WriteZip({first, second}, {}, &offsets));

    ZipDirCursor cursor;
    ASSERT_EQ(unzip::OpenZipDir("C:\\A.ZIP", cursor), unzip::ZipOk);
    EXPECT_STREQ(cursor.FileName, "dir\\sub\\a.txt");
    EXPECT_EQ(cursor.Time, 0x56781234u);
    EXPECT_EQ(cursor.Size, 5);
    EXPECT_EQ(cursor.CompressSize, 5);
    EXPECT_EQ(cursor.HeaderOffset, int32_t(offsets.localHeaders[0]));
    EXPECT_EQ(cursor.PackMethod, 0);
    EXPECT_EQ(cursor.Attr, 0x21);
    EXPECT_LT(cursor.BufferSize, unzip::kDirectoryWindow);
    ASSERT_EQ(unzip::NextZipDirEntry(cursor), unzip::ZipOk);
    EXPECT_STREQ(cursor.FileName, "b.txt");
    EXPECT_EQ(cursor.Attr, 0);
    EXPECT_EQ(cursor.HeaderOffset, int32_t(offsets.localHeaders[1]));
    EXPECT_EQ(unzip::NextZipDirEntry(cursor), unzip::ZipNoMoreEntries);
    EXPECT_EQ(unzip::NextZipDirEntry(cursor), unzip::ZipNoMoreEntries);
}

TEST_F(ZipDirectory, EndRecordSearch) {
    // Only an end record: no room for a directory.
    PutFile("C:\\EMPTY.ZIP", WriteZip({}));
    EXPECT_EQ(Walk("C:\\EMPTY.ZIP"), std::vector<std::string>{"#-9"});
    // No end record anywhere, an empty file, a missing file.
    PutFile("C:\\NONE.ZIP", std::string(10000, 'x'));
    EXPECT_EQ(Walk("C:\\NONE.ZIP"), std::vector<std::string>{"#-11"});
    PutFile("C:\\ZERO.ZIP", "");
    EXPECT_EQ(Walk("C:\\ZERO.ZIP"), std::vector<std::string>{"#-11"});
    EXPECT_EQ(Walk("C:\\MISSING.ZIP"), std::vector<std::string>{"#-11"});
    // A file shorter than one search block.
    PutFile("C:\\SMALL.ZIP", WriteZip({StoredMember("s", "x")}));
    EXPECT_EQ(Walk("C:\\SMALL.ZIP"), std::vector<std::string>{"s"});
}

TEST_F(ZipDirectory, EndRecordFoundWhereverTheSearchBlocksMeet) {
    // A long archive comment moves the end record back; at these offsets from the end of
    // the file its signature straddles two 4,096-byte blocks or sits in their overlap.
    const std::string plain = WriteZip({StoredMember("x.txt", "content")});
    for (size_t fromEnd : {4094u, 4095u, 4096u, 4097u, 4074u, 4075u, 4118u, 8170u, 8171u, 20000u}) {
        oldzip::ZipLayout layout;
        layout.archiveComment = std::string(fromEnd - 22, 'c');
        PutFile("C:\\C.ZIP", WriteZip({StoredMember("x.txt", "content")}, layout));
        EXPECT_EQ(Walk("C:\\C.ZIP"), std::vector<std::string>{"x.txt"}) << fromEnd;
    }
}

TEST_F(ZipDirectory, LongDirectoryIsWalkedThroughARefillingWindow) {
    std::vector<oldzip::ZipMember> members;
    for (int i = 0; i < 1500; ++i) {
        oldzip::ZipMember m = StoredMember("folder/entry-" + std::to_string(i) + ".dat", std::to_string(i));
        m.extra = std::string(size_t(i % 37), 'e');
        members.push_back(m);
    }
    PutFile("C:\\BIG.ZIP", WriteZip(members));
    ZipDirCursor cursor;
    ASSERT_EQ(unzip::OpenZipDir("C:\\BIG.ZIP", cursor), unzip::ZipOk);
    EXPECT_EQ(cursor.BufferSize, unzip::kDirectoryWindow);
    int count = 0;
    int32_t result = unzip::ZipOk;
    while (result == unzip::ZipOk) {
        ASSERT_EQ(std::string(cursor.FileName), "folder\\entry-" + std::to_string(count) + ".dat");
        ++count;
        result = unzip::NextZipDirEntry(cursor);
    }
    EXPECT_EQ(count, 1500);
}

TEST_F(ZipDirectory, DirectoryOffsetsThatLieEndTheWalk) {
    oldzip::ZipOffsets offsets;
    std::string bytes = WriteZip({StoredMember("a", "1"), StoredMember("b", "2")}, {}, &offsets);
    // A directory said to start after its end record.
    std::string after = bytes;
    after[offsets.endRecord + 16] = char(0xF0);
    after[offsets.endRecord + 19] = char(0x7F);
    PutFile("C:\\AFTER.ZIP", after);
    EXPECT_EQ(Walk("C:\\AFTER.ZIP"), std::vector<std::string>{"#-11"});
    // A directory said to start in the middle of the first member.
    std::string inside = bytes;
    inside[offsets.endRecord + 16] = 3;
    PutFile("C:\\INSIDE.ZIP", inside);
    EXPECT_EQ(Walk("C:\\INSIDE.ZIP"), std::vector<std::string>{"#-10"});
    // A name length running past the directory ends it.
    std::string longName = bytes;
    longName[offsets.directory + 46 + 1 + 28 + 1] = char(0xFF);  // second entry's name length
    PutFile("C:\\NAME.ZIP", longName);
    EXPECT_EQ(Walk("C:\\NAME.ZIP"), std::vector<std::string>{"a"});
}

TEST_F(ZipDirectory, NamesLongerThanTheFieldAreCutAndMarked) {
    const std::string name(300, 'n');
    PutFile("C:\\LONG.ZIP", WriteZip({StoredMember(name, "x")}));
    ZipDirCursor cursor;
    ASSERT_EQ(unzip::OpenZipDir("C:\\LONG.ZIP", cursor), unzip::ZipOk);
    EXPECT_EQ(std::string(cursor.FileName), name.substr(0, 259));
    EXPECT_TRUE(cursor.NameWasCut);
}

TEST_F(ZipDirectory, LooksLikeZip) {
    const std::string zip = WriteZip({StoredMember("a", "1")});
    PutFile("C:\\GOOD.ZIP", zip);
    PutFile("C:\\SETUP.EXE", zip);
    PutFile("C:\\SETUP.exe", zip);
    PutFile("C:\\NODOT", zip);
    PutFile("C:\\TEXT.ZIP", "PK\x05\x06 not a local header");
    PutFile("C:\\TINY.ZIP", "PK");
    MakeFolders("C:\\FOLDER.ZIP");
    EXPECT_TRUE(unzip::LooksLikeZip("C:\\GOOD.ZIP"));
    EXPECT_TRUE(unzip::LooksLikeZip("C:\\SETUP.EXE"));
    EXPECT_FALSE(unzip::LooksLikeZip("C:\\SETUP.exe"));
    EXPECT_FALSE(unzip::LooksLikeZip("C:\\NODOT"));
    EXPECT_FALSE(unzip::LooksLikeZip("C:\\TEXT.ZIP"));
    EXPECT_FALSE(unzip::LooksLikeZip("C:\\TINY.ZIP"));
    EXPECT_FALSE(unzip::LooksLikeZip("C:\\MISSING.ZIP"));
    ASSERT_TRUE(Machine().ChangeDirectory("C:\\WINDOWS"));
    EXPECT_FALSE(unzip::LooksLikeZip("C:\\FOLDER.ZIP\\"));
    EXPECT_EQ(Machine().CurrentDirectory(), "C:\\WINDOWS");
}

TEST_F(ZipDirectory, ListArchiveReportsEveryMatchThenTheTotals) {
    oldzip::ZipMember deflated = StoredMember("b.dll", std::string(1000, 'z'));
    deflated.method = 8;
    deflated.compressedSize = 125;
    PutFile("C:\\L.ZIP", WriteZip({StoredMember("a.txt", "12345"), deflated,
                                   StoredMember("c.dll", "xy")}));
    std::vector<unzip_test::ReportCall> calls;
    EXPECT_EQ(unzip::ListArchive("C:\\L.ZIP", "*.*", Recorder(calls)), 3);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].value, 0);
    EXPECT_EQ(calls[0].fileName, "a.txt");
    EXPECT_EQ(calls[1].packMethod, 8);
    EXPECT_EQ(calls[3].value, 3);
    EXPECT_EQ(calls[3].fileName, "C:\\L.ZIP");
    EXPECT_EQ(calls[3].size, 1007);
    // Fields of the packed record are copied out before they are compared.
    const unzip::ExtractReport& report = unzip::TheReport();
    EXPECT_EQ(int32_t{report.Time}, -1);
    EXPECT_EQ(int32_t{report.Attributes}, -1);
    EXPECT_EQ(int32_t{report.Status}, 0);
    // 100 - round(132 * 100 / 1007) = 100 - 13
    EXPECT_EQ(int{report.Ratio}, 87);

    calls.clear();
    EXPECT_EQ(unzip::ListArchive("C:\\L.ZIP", "*.DLL", Recorder(calls)), 2);
    EXPECT_EQ(calls.back().size, 1002);
    EXPECT_EQ(unzip::ListArchive("C:\\L.ZIP", "*.*", nullptr), unzip::ZipMissingParameter);
    EXPECT_EQ(unzip::ListArchive("", "*.*", Recorder(calls)), unzip::ZipMissingParameter);
    PutFile("C:\\NOT.ZIP", "hello");
    EXPECT_EQ(unzip::ListArchive("C:\\NOT.ZIP", "*.*", Recorder(calls)), unzip::ZipNotArchive);
}

TEST_F(ZipDirectory, MeasureArchive) {
    oldzip::ZipMember a = StoredMember("a", std::string(300, 'a'));
    a.compressedSize = 17;  // the directory's values are what count
    PutFile("C:\\M.ZIP", WriteZip({a, StoredMember("b", "bb")}));
    int32_t compressed = -1;
    EXPECT_EQ(unzip::MeasureArchive("C:\\M.ZIP", &compressed), 302);
    EXPECT_EQ(compressed, 19);
    PutFile("C:\\PLAIN.TXT", std::string(1234, 'p'));
    EXPECT_EQ(unzip::MeasureArchive("C:\\PLAIN.TXT", &compressed), 1234);
    EXPECT_EQ(compressed, 1234);
    EXPECT_EQ(unzip::MeasureArchive("C:\\MISSING.ZIP", &compressed), 0);
    EXPECT_EQ(compressed, 0);
    EXPECT_EQ(unzip::MeasureArchive("", &compressed), 0);
}

TEST(CompressionRatio, RoundsHalvesToEven) {
    EXPECT_EQ(unzip::CompressionRatio(0, 0), 0);
    EXPECT_EQ(unzip::CompressionRatio(50, 100), 50);
    EXPECT_EQ(unzip::CompressionRatio(1, 8), 88);    // 12.5 rounds to 12
    EXPECT_EQ(unzip::CompressionRatio(3, 8), 62);    // 37.5 rounds to 38
    EXPECT_EQ(unzip::CompressionRatio(100, 100), 0);
    EXPECT_EQ(unzip::CompressionRatio(150, 100), uint8_t(-50));  // stored larger: wraps
}

}  // namespace

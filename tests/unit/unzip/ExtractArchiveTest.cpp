// Extracting whole archives: the reports in their order, folders, refused members, the
// query procedure, serious errors, and the mends (names that escape the target, safe
// replacement of existing files).
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sys/stat.h>

#include "tests/support/oldzip/DeflateWriter.h"
#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ExtractReport.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

namespace {

using oldzip::StoredMember;
using oldzip::WriteZip;
using unzip_test::ReportCall;

class ExtractArchive : public unzip_test::UnzipTest {
protected:
    int32_t Extract(const std::string& archive, const std::string& folder,
                    std::vector<ReportCall>& calls, const std::string& spec = "*.*",
                    unzip::OverwriteQueryProc query = nullptr) {
        return unzip::ExtractArchive(archive, folder, spec, Recorder(calls), query);
    }
    // Names of the files and folders under a machine folder, recursively, "/" separated.
    std::vector<std::string> Tree(const std::string& folder) {
        std::vector<std::string> names;
        const std::filesystem::path root = Host(folder);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
            names.push_back(std::filesystem::relative(entry.path(), root).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Deflate(const std::string& content) {
        oldzip::DeflateWriter writer;
        writer.DynamicBlock(oldzip::LiteralTokens(content), true);
        return writer.Bytes();
    }
};

TEST_F(ExtractArchive, ReportsComeInTheirOrderWithSizesThatAddUp) {
    const std::string big = unzip_test::SampleText(70000, 1);
    oldzip::ZipMember deflated = oldzip::PackedMember("docs/big.txt", 8, 0, Deflate(big), big);
    PutFile("C:\\SRC\\R.ZIP", WriteZip({StoredMember("one.ini", "[x]\r\n"), deflated,
                                        StoredMember("skip.dat", "ignored")}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\SRC\\R.ZIP", "C:\\OUT", calls, "*.INI"), 1);
    std::vector<int32_t> expected = {-1004, -1000, -1001, -1002, -1005};
    EXPECT_EQ(Statuses(calls), expected);
    EXPECT_EQ(calls[0].value, -1004);
    EXPECT_EQ(calls[0].fileName, "C:\\SRC\\R.ZIP");
    EXPECT_EQ(calls[0].size, int32_t(5 + big.size() + 7));  // all entries
    EXPECT_EQ(calls[1].fileName, "C:\\OUT\\one.ini");
    EXPECT_EQ(calls[2].value, 5);
    EXPECT_EQ(calls[4].size, 5);  // only the matching ones
    EXPECT_EQ(ReadFile("C:\\OUT\\one.ini"), "[x]\r\n");

    calls.clear();
    EXPECT_EQ(Extract("C:\\SRC\\R.ZIP", "C:\\OUT\\", calls), 3);
    EXPECT_EQ(BytesWritten(calls), int64_t(5 + big.size() + 7));
    // The deflated member is written in whole windows.
    std::vector<int32_t> bigWrites;
    bool inBig = false;
    for (const ReportCall& call : calls) {
        if (call.status == -1000) inBig = call.fileName == "C:\\OUT\\docs\\big.txt";
        if (inBig && call.status == -1001) bigWrites.push_back(call.value);
    }
    EXPECT_EQ(bigWrites, (std::vector<int32_t>{32768, 32768, 70000 - 65536}));
    EXPECT_EQ(ReadFile("C:\\OUT\\docs\\big.txt"), big);
    // Both procedures are cleared once the walk is over.
    EXPECT_FALSE(unzip::CurrentReportProc());
    EXPECT_FALSE(unzip::CurrentQueryProc());
}

TEST_F(ExtractArchive, WithoutAReportProcedureItStillExtracts) {
    PutFile("C:\\A.ZIP", WriteZip({StoredMember("a.txt", "alpha")}));
    EXPECT_EQ(unzip::ExtractArchive("C:\\A.ZIP", "C:\\OUT", "", nullptr, nullptr), 1);
    EXPECT_EQ(ReadFile("C:\\OUT\\a.txt"), "alpha");
}

TEST_F(ExtractArchive, MissingSettingsAndNonArchives) {
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("", "C:\\OUT", calls), unzip::ZipMissingParameter);
    EXPECT_EQ(Extract("C:\\A.ZIP", "", calls), unzip::ZipMissingParameter);
    PutFile("C:\\TEXT.ZIP", "plain text");
    EXPECT_EQ(Extract("C:\\TEXT.ZIP", "C:\\OUT", calls), unzip::ZipNotArchive);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(Exists("C:\\OUT"));
}

TEST_F(ExtractArchive, ArchiveWithOnlyAnEndRecordOrAnUnreadableDirectory) {
    PutFile("C:\\E.ZIP", WriteZip({}));
    std::vector<ReportCall> calls;
    // An archive must begin with a local header to be taken for one.
    EXPECT_EQ(Extract("C:\\E.ZIP", "C:\\OUT", calls), unzip::ZipNotArchive);

    // A local header and an end record too near the start for any directory, and a
    // local header with no end record (a truncated archive): damaged, not empty.
    oldzip::ZipLayout stub;
    stub.prefix = std::string("PK\x03\x04", 4) + std::string(26, '\0');
    PutFile("C:\\STUB.ZIP", WriteZip({}, stub));
    PutFile("C:\\CUT.ZIP", WriteZip({StoredMember("a", "1")}).substr(0, 40));
    for (const char* archive : {"C:\\STUB.ZIP", "C:\\CUT.ZIP"}) {
        calls.clear();
        EXPECT_EQ(Extract(archive, "C:\\OUT", calls), unzip::ZipArchiveError) << archive;
        EXPECT_EQ(Statuses(calls), (std::vector<int32_t>{-1004, -100})) << archive;
    }
}

TEST_F(ExtractArchive, FoldersAreMadeAtEveryLevelAndFolderEntriesCount) {
    PutFile("C:\\F.ZIP", WriteZip({StoredMember("top/", ""), StoredMember("top/mid/low/deep.txt", "deep"),
                                   StoredMember("empty/inner/", "")}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\F.ZIP", "C:\\DEST\\NEW", calls), 3);
    EXPECT_EQ(Tree("C:\\DEST"), (std::vector<std::string>{
                                    "NEW", "NEW/empty", "NEW/empty/inner", "NEW/top", "NEW/top/mid",
                                    "NEW/top/mid/low", "NEW/top/mid/low/deep.txt"}));
    EXPECT_EQ(ReadFile("C:\\DEST\\NEW\\top\\mid\\low\\deep.txt"), "deep");
}

TEST_F(ExtractArchive, UnsupportedAndEncryptedMembersAreReportedAndSkipped) {
    std::vector<oldzip::ZipMember> members;
    for (uint16_t method : {2, 3, 4, 5, 9, 12}) {
        oldzip::ZipMember m = oldzip::PackedMember("m" + std::to_string(method), method, 0, "xxxxxx", "abc");
        members.push_back(m);
    }
    oldzip::ZipMember secret = StoredMember("secret.txt", "hidden");
    secret.flags = 1;
    members.push_back(secret);
    members.push_back(StoredMember("plain.txt", "visible"));
    PutFile("C:\\U.ZIP", WriteZip(members));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\U.ZIP", "C:\\OUT", calls), 1);
    std::vector<int32_t> failures;
    for (const ReportCall& call : calls)
        if (call.status == -1003) failures.push_back(call.value);
    EXPECT_EQ(failures, (std::vector<int32_t>{-6, -6, -6, -6, -6, -6, -7}));
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"plain.txt"});
}

TEST_F(ExtractArchive, QueryDecidesAboutExistingFilesOnly) {
    PutFile("C:\\Q.ZIP", WriteZip({StoredMember("keep.txt", "new keep"), StoredMember("swap.txt", "new swap"),
                                   StoredMember("fresh.txt", "new fresh")}));
    PutFile("C:\\OUT\\keep.txt", "old keep");
    PutFile("C:\\OUT\\swap.txt", "old swap");
    std::vector<std::string> asked;
    auto query = [&asked](unzip::ExtractReport* report) {
        asked.push_back(report->FileName);
        return std::string(report->FileName).find("swap") != std::string::npos;
    };
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\Q.ZIP", "C:\\OUT", calls, "*.*", query), 3);
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\OUT\\keep.txt", "C:\\OUT\\swap.txt"}));
    EXPECT_EQ(ReadFile("C:\\OUT\\keep.txt"), "old keep");
    EXPECT_EQ(ReadFile("C:\\OUT\\swap.txt"), "new swap");
    EXPECT_EQ(ReadFile("C:\\OUT\\fresh.txt"), "new fresh");
    // The refused member reports its whole size as written, marked with method 9.
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[1].status, -1000);
    EXPECT_EQ(calls[2].status, -1001);
    EXPECT_EQ(calls[2].value, 8);
    EXPECT_EQ(calls[2].packMethod, unzip::kPackMethodSkipped);
    EXPECT_EQ(calls[3].status, -1002);
    EXPECT_EQ(BytesWritten(calls), 8 + 8 + 9);
}

TEST_F(ExtractArchive, NamesThatWouldLeaveTheTargetFailWithWriteError) {
    const std::vector<std::string> bad = {"../escape.txt", "/abs.txt", "\\abs2.txt", "C:boot.txt",
                                          "D:/x.txt",      "ok/../../up.txt", "a/.../b.txt",
                                          "x:stream.txt",  "dir\\..\\..\\up2.txt"};
    std::vector<oldzip::ZipMember> members;
    for (const std::string& name : bad) members.push_back(StoredMember(name, "bad"));
    members.push_back(StoredMember("good/fine.txt", "good"));
    PutFile("C:\\BAD.ZIP", WriteZip(members));
    MakeFolders("C:\\BASE\\T");
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\BAD.ZIP", "C:\\BASE\\T", calls), 1);
    int writeErrors = 0;
    for (const ReportCall& call : calls)
        if (call.status == -1003) {
            EXPECT_EQ(call.value, unzip::ZipWriteError) << call.fileName;
            ++writeErrors;
        }
    EXPECT_EQ(writeErrors, int(bad.size()));
    EXPECT_EQ(Tree("C:\\BASE"), (std::vector<std::string>{"T", "T/good", "T/good/fine.txt"}));
    for (const char* outside : {"C:\\escape.txt", "C:\\up.txt", "C:\\up2.txt", "C:\\boot.txt", "C:\\abs.txt"})
        EXPECT_FALSE(Exists(outside)) << outside;
}

TEST_F(ExtractArchive, ReplacingKeepsTheOldFileUntilTheNewOneIsSound) {
    oldzip::ZipMember wrong = StoredMember("data.db", "corrupted new content");
    wrong.crc ^= 1;
    PutFile("C:\\BADCRC.ZIP", WriteZip({wrong}));
    PutFile("C:\\OUT\\data.db", "precious old content");
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\BADCRC.ZIP", "C:\\OUT", calls), 0);
    EXPECT_EQ(calls[calls.size() - 2].status, -1003);
    EXPECT_EQ(calls[calls.size() - 2].value, unzip::ZipCrcError);
    EXPECT_EQ(ReadFile("C:\\OUT\\data.db"), "precious old content");
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"data.db"});

    // A write that fails halfway leaves the old file too.
    const std::string large = unzip_test::RandomBytes(200000, 4);
    PutFile("C:\\LARGE.ZIP", WriteZip({StoredMember("data.db", large)}));
    Machine().FailWritesAfter("\\OUT\\", 70000);
    calls.clear();
    EXPECT_EQ(Extract("C:\\LARGE.ZIP", "C:\\OUT", calls), 0);
    EXPECT_EQ(calls[calls.size() - 2].value, unzip::ZipWriteError);
    EXPECT_EQ(ReadFile("C:\\OUT\\data.db"), "precious old content");
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"data.db"});
    Machine().ClearFaults();

    // A sound member replaces it.
    calls.clear();
    EXPECT_EQ(Extract("C:\\LARGE.ZIP", "C:\\OUT", calls), 1);
    EXPECT_TRUE(ReadFile("C:\\OUT\\data.db") == large);
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"data.db"});
}

TEST_F(ExtractArchive, ANewFileThatFailsLeavesNothing) {
    oldzip::ZipMember wrong = StoredMember("new.bin", unzip_test::RandomBytes(100000, 2));
    wrong.crc = 0;
    const std::string text = unzip_test::SampleText(50000, 3);
    oldzip::ZipMember truncated = oldzip::PackedMember("cut.txt", 8, 0, Deflate(text).substr(0, 3000), text);
    PutFile("C:\\W.ZIP", WriteZip({wrong, StoredMember("ok.txt", "ok"), truncated}));
    std::vector<ReportCall> calls;
    // The cut deflate stream runs into the next member's header: invalid data or input
    // that ends, either way a serious error.
    EXPECT_EQ(Extract("C:\\W.ZIP", "C:\\OUT", calls), unzip::ZipSeriousError);
    EXPECT_EQ(calls.back().status, unzip::ZipSeriousError);
    EXPECT_EQ(calls.back().value, unzip::ZipSeriousError);
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"ok.txt"});
    EXPECT_FALSE(unzip::CurrentReportProc());
}

TEST_F(ExtractArchive, LocalHeadersThatAreNotThereStopTheWalk) {
    oldzip::ZipOffsets offsets;
    std::string bytes = WriteZip({StoredMember("a.txt", "aaa"), StoredMember("b.txt", "bbb"),
                                  StoredMember("c.txt", "ccc")}, {}, &offsets);
    bytes[offsets.localHeaders[1]] = 'X';
    PutFile("C:\\H.ZIP", bytes);
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\H.ZIP", "C:\\OUT", calls), unzip::ZipSeriousError);
    EXPECT_EQ(Statuses(calls), (std::vector<int32_t>{-1004, -1000, -1001, -1002, -1000, -100}));
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"a.txt"});
}

TEST_F(ExtractArchive, OutputPathsLongerThanTheEngineWritesFail) {
    const std::string name = std::string(120, 'd') + "/" + std::string(120, 'f') + ".txt";
    PutFile("C:\\P.ZIP", WriteZip({StoredMember(name, "x"), StoredMember("short.txt", "y")}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\P.ZIP", "C:\\A-RATHER-LONG-TARGET-FOLDER-NAME", calls), 1);
    EXPECT_EQ(calls[1].fileName.size(), 259u);
    EXPECT_EQ(calls[2].status, -1003);
    EXPECT_EQ(calls[2].value, unzip::ZipWriteError);
    EXPECT_EQ(Tree("C:\\A-RATHER-LONG-TARGET-FOLDER-NAME"), std::vector<std::string>{"short.txt"});
}

TEST_F(ExtractArchive, FoldersThatCannotBeMadeFailTheMember) {
    PutFile("C:\\D.ZIP", WriteZip({StoredMember("blocked/inner.txt", "x"), StoredMember("blocked2/", ""),
                                   StoredMember("free.txt", "y")}));
    MakeFolders("C:\\OUT");
    Machine().FailCreateDirectory("C:\\OUT\\blocked");
    Machine().FailCreateDirectory("C:\\OUT\\blocked2");
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\D.ZIP", "C:\\OUT", calls), 1);
    std::vector<int32_t> failures;
    for (const ReportCall& call : calls)
        if (call.status == -1003) failures.push_back(call.value);
    EXPECT_EQ(failures, (std::vector<int32_t>{-2, -2}));
}

TEST_F(ExtractArchive, DataDescriptorsWithAndWithoutSignature) {
    const std::string text = unzip_test::SampleText(40000, 6);
    std::vector<oldzip::ZipMember> members;
    for (oldzip::Descriptor kind : {oldzip::Descriptor::WithSignature, oldzip::Descriptor::WithoutSignature}) {
        oldzip::ZipMember m = oldzip::PackedMember(kind == oldzip::Descriptor::WithSignature ? "sig.txt" : "nosig.txt",
                                                   8, 0, Deflate(text), text);
        m.descriptor = kind;
        members.push_back(m);
    }
    oldzip::ZipMember lying = members[0];
    lying.name = "lying.txt";
    lying.crc ^= 0x100;
    members.push_back(lying);
    PutFile("C:\\DD.ZIP", WriteZip(members));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\DD.ZIP", "C:\\OUT", calls), 2);
    EXPECT_EQ(ReadFile("C:\\OUT\\sig.txt"), text);
    EXPECT_EQ(ReadFile("C:\\OUT\\nosig.txt"), text);
    EXPECT_EQ(calls[calls.size() - 2].value, unzip::ZipCrcError);
    EXPECT_FALSE(Exists("C:\\OUT\\lying.txt"));

    // Stored members whose sizes follow the data take them from the central directory.
    oldzip::ZipMember stored = StoredMember("stored.txt", "abc");
    stored.descriptor = oldzip::Descriptor::WithSignature;
    oldzip::ZipMember bare = StoredMember("bare.txt", text);
    bare.descriptor = oldzip::Descriptor::WithoutSignature;
    PutFile("C:\\SD.ZIP", WriteZip({stored, bare}));
    calls.clear();
    EXPECT_EQ(Extract("C:\\SD.ZIP", "C:\\OUT2", calls), 2);
    EXPECT_EQ(ReadFile("C:\\OUT2\\stored.txt"), "abc");
    EXPECT_EQ(ReadFile("C:\\OUT2\\bare.txt"), text);
}

TEST_F(ExtractArchive, AMalformedDynamicBlockHeaderEndsTheMemberWithoutAReport) {
    // 257 + 1 code lengths declared; a repeat of zeros (symbol 18, 138 of them) twice,
    // then symbol 17 asking for 10 more: past the end, which ends the member with 1.
    oldzip::DeflateWriter writer;
    oldzip::BitWriter& bits = writer.Bits();
    bits.Put(1, 1);
    bits.Put(2, 2);
    bits.Put(0, 5);
    bits.Put(0, 5);
    bits.Put(0, 4);  // four code-length code lengths: symbols 16, 17, 18 and 0
    for (int i = 0; i < 4; ++i) bits.Put(2, 3);
    const auto code = [&bits](uint32_t value) { bits.PutCodeMsbFirst(value, 2); };  // 0, 16, 17, 18
    code(3);
    bits.Put(127, 7);
    code(3);
    bits.Put(100, 7);
    code(2);
    bits.Put(7, 3);
    const std::string stream = writer.Bytes() + std::string(16, '\0');
    PutFile("C:\\ONE.ZIP", WriteZip({oldzip::PackedMember("bad.txt", 8, 0, stream, "whatever"),
                                    StoredMember("next.txt", "next")}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\ONE.ZIP", "C:\\OUT", calls), 1);
    EXPECT_EQ(Statuses(calls), (std::vector<int32_t>{-1004, -1000, -1000, -1001, -1002, -1005}));
    EXPECT_EQ(Tree("C:\\OUT"), std::vector<std::string>{"next.txt"});
}

TEST_F(ExtractArchive, TheFileGetsTheMembersDateAndTime) {
    oldzip::ZipMember m = StoredMember("dated.txt", "x");
    m.dosDate = uint16_t((2019 - 1980) << 9 | 7 << 5 | 14);  // 2019-07-14
    m.dosTime = uint16_t(13 << 11 | 45 << 5 | 30 / 2);       // 13:45:30
    PutFile("C:\\T.ZIP", WriteZip({m}));
    struct Case {
        const char* target;
        bool existing;  // a file of that name is there already and is replaced
    } const cases[] = {{"C:\\NEW", false}, {"C:\\OLD", true}};
    for (const Case& c : cases) {
        const std::string path = std::string(c.target) + "\\dated.txt";
        if (c.existing) PutFile(path, "old");
        std::vector<ReportCall> calls;
        ASSERT_EQ(Extract("C:\\T.ZIP", c.target, calls), 1) << c.target;
        EXPECT_EQ(ReadFile(path), "x") << c.target;
        struct stat info {};
        ASSERT_EQ(stat(Host(path).c_str(), &info), 0);
        std::tm local{};
        localtime_r(&info.st_mtime, &local);
        EXPECT_EQ((std::vector<int>{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                    local.tm_min, local.tm_sec}),
                  (std::vector<int>{2019, 7, 14, 13, 45, 30}))
            << c.target;
    }
}

}  // namespace

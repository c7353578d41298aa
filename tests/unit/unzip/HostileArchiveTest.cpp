// Hostile and damaged archives: each fails clearly, writes no more than it declares, and
// harms nothing in or outside the target folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/oldzip/DeflateWriter.h"
#include "tests/support/oldzip/ImplodeEncoder.h"
#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/Extraction.h"
#include "unzip/QuarnUnzip.h"
#include "unzip/ZipCodes.h"

namespace {

using oldzip::StoredMember;
using oldzip::WriteZip;
using unzip_test::ReportCall;

// Offsets of every central header in an archive's bytes.
std::vector<size_t> CentralHeaders(const std::string& zip) {
    std::vector<size_t> found;
    for (size_t at = zip.find("PK\x01\x02"); at != std::string::npos; at = zip.find("PK\x01\x02", at + 4))
        found.push_back(at);
    return found;
}

void Put32At(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i));
}

class HostileArchive : public unzip_test::UnzipTest {
protected:
    int32_t Extract(const std::string& archive, std::vector<ReportCall>& calls) {
        return unzip::ExtractArchive(archive, "C:\\OUT", "*.*", Recorder(calls), nullptr);
    }
    // A deflated member that expands to `realSize` zero bytes, declaring `declaredSize`.
    static oldzip::ZipMember ZeroBomb(const std::string& name, size_t realSize, uint32_t declaredSize) {
        std::vector<oldzip::DeflateToken> tokens{oldzip::DeflateToken::Literal(0)};
        for (size_t made = 1; made < realSize; made += 258) tokens.push_back(oldzip::DeflateToken::Match(258, 1));
        oldzip::DeflateWriter writer;
        writer.FixedBlock(tokens, true);
        oldzip::ZipMember member = oldzip::PackedMember(name, 8, 0, writer.Bytes(), std::string(10, '\0'));
        member.uncompressedSize = declaredSize;
        return member;
    }
};

TEST_F(HostileArchive, OutputNeverPassesTheDeclaredSize) {
    oldzip::ZipMember described = ZeroBomb("described.bin", 1 << 20, 10);
    described.descriptor = oldzip::Descriptor::WithSignature;  // the central size bounds it
    for (const oldzip::ZipMember& bomb : {ZeroBomb("bomb.bin", 8 << 20, 10), described}) {
        PutFile("C:\\BOMB.ZIP", WriteZip({bomb}));
        std::vector<ReportCall> calls;
        EXPECT_EQ(Extract("C:\\BOMB.ZIP", calls), unzip::ZipSeriousError) << bomb.name;
        EXPECT_LE(BytesWritten(calls), 10) << bomb.name;
        EXPECT_FALSE(Exists("C:\\OUT\\" + bomb.name));
        EXPECT_EQ(unzip::ExtractMember("C:\\BOMB.ZIP", "C:\\OUT\\M.BIN", 0, 0, 0, {0, 10}), unzip::ZipDataError);
        EXPECT_FALSE(Exists("C:\\OUT\\M.BIN"));
    }

    // Implode's last match ends where the declared size does.
    oldzip::ImplodeOptions options;
    options.literalTree = true;
    const std::string run(321, 'a');
    const oldzip::ImplodeResult imploded = oldzip::Implode(run, options);
    oldzip::ZipMember cut = oldzip::PackedMember("cut.txt", 6, imploded.flags, imploded.compressed, run.substr(0, 10));
    PutFile("C:\\CUT.ZIP", WriteZip({cut}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\CUT.ZIP", calls), 1);
    EXPECT_EQ(ReadFile("C:\\OUT\\cut.txt"), run.substr(0, 10));
}

TEST_F(HostileArchive, ALocalHeaderServesOneEntryOnly) {
    const std::string text = unzip_test::SampleText(2000, 3);
    std::vector<oldzip::ZipMember> members;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) members.push_back(StoredMember(name, text));
    oldzip::ZipOffsets offsets;
    std::string zip = WriteZip(members, {}, &offsets);
    for (size_t header : CentralHeaders(zip)) Put32At(zip, header + 42, offsets.localHeaders[0]);
    PutFile("C:\\SAME.ZIP", zip);
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\SAME.ZIP", calls), unzip::ZipSeriousError);
    EXPECT_EQ(BytesWritten(calls), int64_t(text.size()));
    EXPECT_EQ(ReadFile("C:\\OUT\\a.txt"), text);
    EXPECT_FALSE(Exists("C:\\OUT\\b.txt"));
    EXPECT_FALSE(Exists("C:\\OUT\\c.txt"));
}

TEST_F(HostileArchive, ADamagedDirectoryFailsTheArchiveAfterTheMembersRead) {
    const std::vector<oldzip::ZipMember> members = {StoredMember("one.txt", "1"), StoredMember("two.txt", "22"),
                                                    StoredMember("three.txt", "333")};
    oldzip::ZipOffsets offsets;
    const std::string sound = WriteZip(members, {}, &offsets);
    const std::vector<size_t> central = CentralHeaders(sound);

    std::string secondBroken = sound, firstBroken = sound, offsetZero = sound;
    secondBroken[central[1]] = 'X';
    firstBroken[central[0]] = 'X';
    Put32At(offsetZero, offsets.endRecord + 16, 0);
    // A second end record inside the comment, whose directory ends at the real record.
    std::string fake("PK\x05\x06", 4);
    fake += std::string(6, '\0') + std::string("\x03\x00", 2) + std::string(8, '\0') + std::string(2, '\0');
    Put32At(fake, 16, offsets.directory);
    oldzip::ZipLayout withFake;
    withFake.archiveComment = "see " + fake;

    const struct {
        const char* what;
        std::string bytes;
        int extracted;
    } cases[] = {{"second entry broken", secondBroken, 1},
                 {"first entry broken", firstBroken, 0},
                 {"directory offset 0", offsetZero, 0},
                 {"false end record in the comment", WriteZip(members, withFake), 3}};
    for (const auto& c : cases) {
        PutFile("C:\\D.ZIP", c.bytes);
        std::vector<ReportCall> calls;
        EXPECT_EQ(Extract("C:\\D.ZIP", calls), unzip::ZipArchiveError) << c.what;
        EXPECT_EQ(Statuses(calls).back(), unzip::ZipSeriousError) << c.what;
        int done = 0;
        for (const ReportCall& call : calls) done += call.status == unzip::StatusFileDone;
        EXPECT_EQ(done, c.extracted) << c.what;
        calls.clear();
        EXPECT_EQ(unzip::ListArchive("C:\\D.ZIP", "", Recorder(calls)), unzip::ZipArchiveError) << c.what;
    }
    PutFile("C:\\D.ZIP", sound);
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\D.ZIP", calls), 3);
}

TEST_F(HostileArchive, CentralEntriesLongerThanTheWindowAreRead) {
    std::vector<oldzip::ZipMember> members;
    for (int i = 0; i < 1500; ++i) members.push_back(StoredMember("m" + std::to_string(i), "x"));
    members[900].extra = std::string(65000, 'e');
    PutFile("C:\\LONG.ZIP", WriteZip(members));
    std::vector<ReportCall> calls;
    EXPECT_EQ(unzip::ListArchive("C:\\LONG.ZIP", "", Recorder(calls)), 1500);
    EXPECT_EQ(calls[900].fileName, "m900");
}

TEST_F(HostileArchive, ASecondExtractionFromAMessageHandlerLeavesTheFirstReporting) {
    const std::string text = unzip_test::SampleText(100000, 4);
    PutFile("C:\\A.ZIP", WriteZip({StoredMember("a.txt", text)}));
    PutFile("C:\\B.ZIP", WriteZip({StoredMember("b.txt", "b")}));
    std::vector<ReportCall> nested;
    int32_t nestedResult = 0, nestedSize = 0;
    bool tried = false;
    unzip::UnzipHooks hooks;
    hooks.pumpMessages = [&](unzip::NotifyWindow) {
        if (tried) return;
        tried = true;
        nestedResult = unzip::ExtractArchive("C:\\B.ZIP", "C:\\NESTED", "", Recorder(nested), nullptr);
        unzip::TQuarnUnzip sizer;
        sizer.SetFileName("C:\\B.ZIP");
        nestedSize = sizer.ArchiveSize();
    };
    unzip::SetUnzipHooks(hooks);
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\A.ZIP", calls), 1);
    EXPECT_EQ(nestedResult, unzip::ZipBusy);
    EXPECT_TRUE(nested.empty());
    EXPECT_EQ(nestedSize, 1);
    EXPECT_EQ(BytesWritten(calls), int64_t(text.size()));
    EXPECT_EQ(Statuses(calls).back(), unzip::StatusArchiveDone);
    EXPECT_FALSE(Exists("C:\\NESTED\\b.txt"));
}

TEST_F(HostileArchive, AMemberCannotReplaceTheArchiveBeingRead) {
    const std::string zip = WriteZip({StoredMember("self.zip", "not an archive"), StoredMember("after.txt", "ok")});
    PutFile("C:\\OUT\\SELF.ZIP", zip);
    std::vector<ReportCall> calls;
    EXPECT_EQ(unzip::ExtractArchive("C:\\OUT\\.\\SELF.ZIP", "C:\\OUT", "", Recorder(calls), nullptr), 1);
    EXPECT_EQ(calls[2].status, unzip::StatusFileFailed);
    EXPECT_EQ(calls[2].value, unzip::ZipWriteError);
    EXPECT_EQ(ReadFile("C:\\OUT\\SELF.ZIP"), zip);
    EXPECT_EQ(ReadFile("C:\\OUT\\after.txt"), "ok");
}

TEST_F(HostileArchive, NamesWindowsFoldsOrTakesForDevicesAreRefused) {
    const std::vector<std::string> refused = {"trail.",  "trail2 ",   "CON",       "con.txt", "dir/Nul/x.txt",
                                              "LPT9.log", "com1",     "aux .txt",  "prn.a.b", "sub./x"};
    const std::vector<std::string> accepted = {"CONSOLE.TXT", "COM10", "NULL", "LPT", "a.b", "com0.txt"};
    std::vector<oldzip::ZipMember> members;
    for (const std::string& name : refused) members.push_back(StoredMember(name, "r"));
    for (const std::string& name : accepted) members.push_back(StoredMember(name, "a"));
    PutFile("C:\\N.ZIP", WriteZip(members));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\N.ZIP", calls), int32_t(accepted.size()));
    int refusedCount = 0;
    for (const ReportCall& call : calls)
        if (call.status == unzip::StatusFileFailed) refusedCount += call.value == unzip::ZipWriteError;
    EXPECT_EQ(refusedCount, int(refused.size()));
    for (const std::string& name : accepted) EXPECT_EQ(ReadFile("C:\\OUT\\" + name), "a") << name;
}

TEST_F(HostileArchive, NothingIsWrittenThroughALink) {
    MakeFolders("C:\\OUT");
    MakeFolders("C:\\ELSEWHERE");
    PutFile("C:\\ELSEWHERE\\kept.txt", "kept");
    namespace fs = std::filesystem;
    fs::create_symlink(Host("C:\\ELSEWHERE") + "/made.txt", Host("C:\\OUT") + "/dangling.txt");
    fs::create_symlink(Host("C:\\ELSEWHERE\\kept.txt"), Host("C:\\OUT") + "/existing.txt");
    PutFile("C:\\L.ZIP", WriteZip({StoredMember("dangling.txt", "new"), StoredMember("existing.txt", "new")}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\L.ZIP", calls), 2);
    EXPECT_FALSE(fs::exists(Host("C:\\ELSEWHERE") + "/made.txt"));
    EXPECT_EQ(ReadFile("C:\\ELSEWHERE\\kept.txt"), "kept");
    for (const char* name : {"dangling.txt", "existing.txt"}) {
        const fs::path written = Host("C:\\OUT") + "/" + name;
        EXPECT_FALSE(fs::is_symlink(written)) << name;
        EXPECT_EQ(ReadFile(std::string("C:\\OUT\\") + name), "new") << name;
    }
}

TEST_F(HostileArchive, DosNamesAreReadInTheirCodePage) {
    oldzip::ZipMember dos = StoredMember("\x84/\x81.txt", "dos");       // IBM 437: ä/ü.txt
    oldzip::ZipMember utf8 = StoredMember("\xC3\xA9.txt", "utf8");      // é.txt, flag bit 11
    utf8.flags = 0x0800;
    PutFile("C:\\CP.ZIP", WriteZip({dos, utf8, StoredMember("plain.txt", "ascii")}));
    std::vector<ReportCall> calls;
    EXPECT_EQ(Extract("C:\\CP.ZIP", calls), 3);
    EXPECT_EQ(ReadFile("C:\\OUT\\\xC3\xA4\\\xC3\xBC.txt"), "dos");
    EXPECT_EQ(ReadFile("C:\\OUT\\\xC3\xA9.txt"), "utf8");
    EXPECT_EQ(ReadFile("C:\\OUT\\plain.txt"), "ascii");
}

}  // namespace

// Archives that are broken in every way a deterministic mutator can think of: the engine
// must answer with a code from its tables, never crash or hang, and never leave a
// half-written file or touch anything outside the target folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "tests/support/oldzip/DeflateWriter.h"
#include "tests/support/oldzip/ImplodeEncoder.h"
#include "tests/support/oldzip/ShrinkEncoder.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

namespace {

class BadInput : public unzip_test::UnzipTest {
protected:
    std::string SoundArchive() {
        const std::string text = unzip_test::SampleText(20000, 1);
        oldzip::DeflateWriter deflate;
        deflate.DynamicBlock(oldzip::LiteralTokens(text), true);
        oldzip::ImplodeOptions implode;
        implode.literalTree = true;
        const auto imploded = oldzip::Implode(text, implode);
        oldzip::ZipMember described = oldzip::PackedMember("d/desc.txt", 8, 0, deflate.Bytes(), text);
        described.descriptor = oldzip::Descriptor::WithSignature;
        return oldzip::WriteZip({oldzip::StoredMember("s/stored.txt", text.substr(0, 3000)),
                                 oldzip::PackedMember("d/deflated.txt", 8, 0, deflate.Bytes(), text),
                                 oldzip::ShrunkMember("s/shrunk.txt", text),
                                 oldzip::PackedMember("i/imploded.txt", 6, imploded.flags, imploded.compressed, text),
                                 described, oldzip::StoredMember("folder/", "")});
    }

    // Extracts, then checks the answer and what was left behind.
    void ExtractAndCheck(const std::string& bytes, const std::string& what) {
        PutFile("C:\\IN\\X.ZIP", bytes);
        std::vector<unzip_test::ReportCall> calls;
        const int32_t result = unzip::ExtractArchive("C:\\IN\\X.ZIP", "C:\\IN\\OUT", "", Recorder(calls), nullptr);
        ASSERT_TRUE(result >= 0 || result == unzip::ZipSeriousError || result == unzip::ZipNotArchive ||
                    result == unzip::ZipArchiveError)
            << what << ": " << result;
        static const std::set<int32_t> kStatuses = {-1000, -1001, -1002, -1003, -1004, -1005, -100};
        static const std::set<int32_t> kMemberFailures = {-1, -2, -6, -7};
        std::set<std::string> completed;
        std::string current;
        for (const unzip_test::ReportCall& call : calls) {
            ASSERT_TRUE(kStatuses.count(call.status)) << what;
            if (call.status == -1003) {
                ASSERT_TRUE(kMemberFailures.count(call.value)) << what;
            }
            if (call.status == -1000) current = call.fileName;
            if (call.status == -1002) completed.insert(current);
        }
        // Only the archive and what completed members wrote (with their folders) exist.
        const std::filesystem::path root = Host("C:\\IN");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file()) continue;
            const std::string relative = std::filesystem::relative(entry.path(), root).generic_string();
            if (relative == "X.ZIP") continue;
            std::string windows = "C:\\IN\\" + relative;
            std::replace(windows.begin(), windows.end(), '/', '\\');
            EXPECT_TRUE(completed.count(windows)) << what << ": left behind " << windows;
        }
        EXPECT_EQ(std::filesystem::directory_iterator(Host("C:\\")) != std::filesystem::directory_iterator(), true);
        for (const auto& entry : std::filesystem::directory_iterator(Host("C:\\"))) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "IN" || name == "WINDOWS" || name == "TEMP") << what << ": " << name;
        }
        std::filesystem::remove_all(Host("C:\\IN"));
    }
};

TEST_F(BadInput, TruncatedArchivesAtEveryKindOfPlace) {
    const std::string sound = SoundArchive();
    for (size_t length = 0; length < sound.size(); length += std::max<size_t>(1, sound.size() / 97))
        ExtractAndCheck(sound.substr(0, length), "cut at " + std::to_string(length));
}

TEST_F(BadInput, RandomByteChangesAnywhere) {
    const std::string sound = SoundArchive();
    std::mt19937 generator(2024);
    for (int round = 0; round < 150; ++round) {
        std::string bytes = sound;
        const int changes = 1 + int(generator() % 8);
        for (int i = 0; i < changes; ++i) bytes[generator() % bytes.size()] = char(generator());
        ExtractAndCheck(bytes, "round " + std::to_string(round));
    }
}

TEST_F(BadInput, LyingSizesAndOffsetsInTheHeaders) {
    const std::string archive = SoundArchive();
    std::mt19937 generator(99);
    // Overwrite 32-bit fields of local and central headers with extreme values.
    const uint32_t extremes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 46, 4096};
    for (int round = 0; round < 120; ++round) {
        std::string bytes = archive;
        size_t at = bytes.find("PK", generator() % bytes.size());
        if (at == std::string::npos) at = bytes.find("PK");
        const size_t field = at + 4 + (generator() % 40);
        if (field + 4 > bytes.size()) continue;
        const uint32_t value = extremes[generator() % 8];
        for (int k = 0; k < 4; ++k) bytes[field + size_t(k)] = char(value >> (8 * k));
        ExtractAndCheck(bytes, "field " + std::to_string(field) + " = " + std::to_string(value));
    }
}

TEST_F(BadInput, GarbageThatStartsLikeAnArchive) {
    std::mt19937 generator(7);
    for (int round = 0; round < 40; ++round) {
        std::string bytes = std::string("PK\x03\x04", 4) + unzip_test::RandomBytes(100 + generator() % 20000, round);
        if (round % 2) bytes += std::string("PK\x05\x06", 4) + unzip_test::RandomBytes(18, round + 1000);
        ExtractAndCheck(bytes, "garbage " + std::to_string(round));
    }
}

TEST_F(BadInput, EndlessOrHugeStreamsEndWithoutHanging) {
    // A shrunk member claiming two gigabytes of input.
    oldzip::ZipMember shrunk = oldzip::ShrunkMember("a.txt", unzip_test::SampleText(5000, 3));
    shrunk.compressedSize = 0x7FFFFFF0;
    // A deflate stream of empty stored blocks that never ends, claiming a huge size.
    oldzip::DeflateWriter empty;
    for (int i = 0; i < 2000; ++i) empty.StoredBlock("", false);
    oldzip::ZipMember endless = oldzip::PackedMember("b.txt", 8, 0, empty.Bytes(), "");
    endless.compressedSize = 0xFFFFFFF0;
    // An imploded member claiming far more output than its input holds.
    oldzip::ZipMember imploded = oldzip::ImplodedMember("c.txt", "short", false, false);
    imploded.uncompressedSize = 0x7FFFFFFF;
    for (const oldzip::ZipMember& member : {shrunk, endless, imploded})
        ExtractAndCheck(oldzip::WriteZip({member}), member.name);
}

}  // namespace

// Shrunk and imploded archives from the test encoders, checked first by Info-ZIP's unzip
// (an independent reader) and then extracted by the engine.
#include <gtest/gtest.h>

#include "tests/support/oldzip/ImplodeEncoder.h"
#include "tests/support/oldzip/ShrinkEncoder.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

namespace {

class OldMethodsArchive : public unzip_test::UnzipTest {
protected:
    void ExpectBothReadersAgree(const std::string& archive, const std::vector<oldzip::ZipMember>& members,
                                const std::vector<std::string>& contents) {
        PutFile(archive, oldzip::WriteZip(members));
        if (HaveTool("unzip")) {
            EXPECT_TRUE(InfoZipAccepts(archive)) << "Info-ZIP refuses " << archive;
        }
        std::vector<unzip_test::ReportCall> calls;
        EXPECT_EQ(unzip::ExtractArchive(archive, "C:\\OUT", "", Recorder(calls), nullptr),
                  int32_t(members.size()));
        for (size_t i = 0; i < members.size(); ++i)
            EXPECT_TRUE(ReadFile("C:\\OUT\\" + members[i].name) == contents[i]) << members[i].name;
    }
};

TEST_F(OldMethodsArchive, ShrinkWithThirteenBitCodesAndPartialClears) {
    const std::string varied = unzip_test::VariedText(300000, 4);
    const std::string text = unzip_test::SampleText(50000, 5);
    const auto packed = oldzip::Shrink(varied);
    ASSERT_EQ(packed.largestCodeSize, 13);
    ASSERT_GE(packed.partialClears, 1);
    ExpectBothReadersAgree("C:\\SHRUNK.ZIP",
                           {oldzip::PackedMember("VARIED.TXT", 1, 0, packed.compressed, varied),
                            oldzip::ShrunkMember("TEXT.TXT", text), oldzip::ShrunkMember("ONE.TXT", "1")},
                           {varied, text, "1"});
}

TEST_F(OldMethodsArchive, ShrinkWithRepeatedPartialClearsWhileFreedCodesAreUnused) {
    // A partial clear frees every leaf of the tree, wherever it lies: also the leaves
    // above codes that an earlier clear freed and that still wait to be reused. A clear
    // that looked only below the next free code would free codes that later codes still
    // extend, and decode these streams wrong.
    std::vector<oldzip::ZipMember> members;
    std::vector<std::string> contents;
    for (int clearEvery : {150, 400, 900, 2000, 4500}) {
        for (uint32_t seed : {1u, 3u, 5u}) {
            const std::string text = unzip_test::VariedText(60000 + 9000 * seed, seed);
            oldzip::ShrinkOptions options;
            options.clearEvery = clearEvery;
            const auto packed = oldzip::Shrink(text, options);
            ASSERT_GE(packed.partialClears, 2);
            members.push_back(oldzip::PackedMember("S" + std::to_string(clearEvery) + "-" + std::to_string(seed),
                                                   1, 0, packed.compressed, text));
            contents.push_back(text);
        }
    }
    ExpectBothReadersAgree("C:\\CLEARS.ZIP", members, contents);
}

TEST_F(OldMethodsArchive, ImplodeInEveryShape) {
    const std::string text = unzip_test::SampleText(120000, 6);
    const std::string binary = unzip_test::RandomBytes(3000, 1) + text.substr(0, 20000);
    ExpectBothReadersAgree("C:\\IMPLODED.ZIP",
                           {oldzip::ImplodedMember("A4K.TXT", text, false, false),
                            oldzip::ImplodedMember("A8K.TXT", text, true, false),
                            oldzip::ImplodedMember("L4K.BIN", binary, false, true),
                            oldzip::ImplodedMember("L8K.BIN", binary, true, true)},
                           {text, text, binary, binary});
}

TEST_F(OldMethodsArchive, ImplodeReachingBeforeTheStartAndAboveTwoHundredThousandBytes) {
    const std::string zeros = std::string(300, '\0') + unzip_test::SampleText(5000, 2);
    oldzip::ImplodeOptions early;
    early.literalTree = true;
    early.dictionary8K = true;
    early.matchBeforeStart = true;
    const auto before = oldzip::Implode(zeros, early);
    ASSERT_TRUE(before.usedMatchBeforeStart);

    const std::string noise = unzip_test::RandomBytes(250000, 8);
    oldzip::ImplodeOptions wide;
    wide.literalTree = true;
    const auto large = oldzip::Implode(noise, wide);
    ASSERT_GT(large.compressed.size(), 200000u);

    ExpectBothReadersAgree("C:\\EDGES.ZIP",
                           {oldzip::PackedMember("ZEROS.BIN", 6, before.flags, before.compressed, zeros),
                            oldzip::PackedMember("NOISE.BIN", 6, large.flags, large.compressed, noise)},
                           {zeros, noise});
}

}  // namespace

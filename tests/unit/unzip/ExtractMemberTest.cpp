// One member at a time: the busy guard and its 30-second rule, stopping on the abort key
// or at the notify window's request, and the pumps between input blocks.
#include <gtest/gtest.h>

#include "tests/support/oldzip/DeflateWriter.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/EngineState.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"
#include "unzip/ZipDirectory.h"

namespace {

using unzip_test::ReportCall;

class ExtractMember : public unzip_test::UnzipTest {
protected:
    void SetUp() override {
        UnzipTest::SetUp();
        unzip::EngineBusyState() = {};
        text_ = unzip_test::SampleText(600000, 17);
        oldzip::DeflateWriter writer;
        for (size_t at = 0; at < text_.size(); at += 100000)
            writer.DynamicBlock(oldzip::LiteralTokens(text_.substr(at, 100000)), at + 100000 >= text_.size());
        PutFile("C:\\BIG.ZIP", oldzip::WriteZip({oldzip::PackedMember("big.txt", 8, 0, writer.Bytes(), text_),
                                                 oldzip::StoredMember("small.txt", "small")}));
    }
    void TearDown() override {
        unzip::EngineBusyState() = {};
        UnzipTest::TearDown();
    }
    std::string text_;
};

TEST_F(ExtractMember, ASecondExtractionFromAMessageHandlerIsRefused) {
    int pumps = 0;
    std::vector<int32_t> nested;
    unzip::UnzipHooks hooks;
    hooks.pumpMessages = [&](unzip::NotifyWindow) {
        if (++pumps == 5) nested.push_back(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\NESTED.TXT", 0, 0, 0));
    };
    unzip::SetUnzipHooks(hooks);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\OUT.TXT", 0, 0, 0), unzip::ZipOk);
    EXPECT_EQ(nested, std::vector<int32_t>{unzip::ZipBusy});
    EXPECT_FALSE(Exists("C:\\NESTED.TXT"));
    EXPECT_EQ(ReadFile("C:\\OUT.TXT"), text_);
    // One pump before decoding, then one before every 4,096-byte block of input.
    const int64_t packedSize = std::filesystem::file_size(Host("C:\\BIG.ZIP"));
    EXPECT_GE(pumps, 1 + int(packedSize / 4096) - 2);
    EXPECT_FALSE(unzip::EngineBusyState().busy);
}

TEST_F(ExtractMember, ABusyFlagLeftOverForThirtySecondsNoLongerCounts) {
    unzip::BusyState& state = unzip::EngineBusyState();
    state.busy = true;
    // Never pumped: the flag holds.
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 0, 0, 0), unzip::ZipBusy);
    state.lastPumpTime = Machine().TickCount();
    Machine().AdvanceTicks(29000);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 0, 0, 0), unzip::ZipBusy);
    EXPECT_FALSE(Exists("C:\\A.TXT"));
    Machine().AdvanceTicks(2000);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 0, 0, 0), unzip::ZipOk);
    EXPECT_FALSE(state.busy);
}

TEST_F(ExtractMember, EscapeDuringALargeMemberStopsTheWalk) {
    int checks = 0;
    unzip::UnzipHooks hooks;
    hooks.isKeyDown = [&checks](int key) { return key == unzip::kEscapeKey && ++checks > 20; };
    unzip::SetUnzipHooks(hooks);
    std::vector<ReportCall> calls;
    EXPECT_EQ(unzip::ExtractArchive("C:\\BIG.ZIP", "C:\\OUT", "", Recorder(calls), nullptr),
              unzip::ZipSeriousError);
    EXPECT_EQ(calls.back().status, unzip::ZipSeriousError);
    EXPECT_EQ(calls.back().value, unzip::ZipSeriousError);
    EXPECT_GT(BytesWritten(calls), 0);
    EXPECT_LT(BytesWritten(calls), int64_t(text_.size()));
    EXPECT_FALSE(Exists("C:\\OUT\\big.txt"));
    EXPECT_FALSE(Exists("C:\\OUT\\small.txt"));
    EXPECT_EQ(checks, 21);
}

TEST_F(ExtractMember, TheDecoderReportsAbortDirectly) {
    unzip::UnzipHooks hooks;
    hooks.isKeyDown = [](int key) { return key == 65; };
    unzip::SetUnzipHooks(hooks);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 0, 0, 65), unzip::ZipUserAbort);
    EXPECT_FALSE(Exists("C:\\A.TXT"));
}

TEST_F(ExtractMember, TheNotifyWindowSeesEveryPercentAndCanStop) {
    std::vector<uint16_t> seen;
    unzip::UnzipHooks hooks;
    hooks.notifyProgress = [&seen](unzip::NotifyWindow window, int32_t id, uint16_t* percent) {
        EXPECT_EQ(window, 77u);
        EXPECT_EQ(id, 5);
        seen.push_back(*percent);
    };
    unzip::SetUnzipHooks(hooks);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 0, 77, 5), unzip::ZipOk);
    ASSERT_GE(seen.size(), 10u);
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i - 1], seen[i]);
    EXPECT_EQ(seen.back(), 100);

    hooks.notifyProgress = [](unzip::NotifyWindow, int32_t, uint16_t* percent) {
        if (*percent >= 30) *percent = unzip::kAbortPercent;
    };
    unzip::SetUnzipHooks(hooks);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\B.TXT", 0, 77, 5), unzip::ZipUserAbort);
    EXPECT_FALSE(Exists("C:\\B.TXT"));
}

TEST_F(ExtractMember, LocalHeaderProblems) {
    EXPECT_EQ(unzip::ExtractMember("C:\\MISSING.ZIP", "C:\\A.TXT", 0, 0, 0), unzip::ZipReadError);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 3, 0, 0), unzip::ZipDataError);
    EXPECT_EQ(unzip::ExtractMember("C:\\BIG.ZIP", "C:\\A.TXT", 0x7FFFFF00, 0, 0), unzip::ZipDataError);
    EXPECT_FALSE(Exists("C:\\A.TXT"));
    EXPECT_FALSE(unzip::EngineBusyState().busy);
}

}  // namespace

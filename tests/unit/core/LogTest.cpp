#include <gtest/gtest.h>

#include "core/Log.h"
#include "core/LogBoxes.h"
#include "tests/support/VirtualMachine.h"
#include "ui/headless/ScriptedUser.h"

using namespace core;
using ui::headless::Script;

class LogTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        Machine().SetFixedTime({2026, 12, 7, 9, 5, 7, 42});
        LogEnabled = true;
        LogDepth = 0;
        ui::MessageHeading.clear();
        ShowLogFailuresInBoxes();
    }
    void TearDown() override {
        LogEnabled = false;
        VirtualMachineTest::TearDown();
    }
    std::vector<std::string> Lines() {
        std::string text = ReadFile("C:\\torvinst.log");
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
        return lines;
    }
    static constexpr const char* kTag = " <TIMP 09:05:07.042 > ";
};

TEST(LogTimeTagTest, TwoDigitsAndThreeForMilliseconds) {
    EXPECT_EQ(LogTimeTag(9, 5, 7, 42), " <TIMP 09:05:07.042 > ");
    EXPECT_EQ(LogTimeTag(23, 59, 59, 999), " <TIMP 23:59:59.999 > ");
}

TEST_F(LogTest, ASessionWithNestedStepsAndNotes) {
    LogOpen("c:\\torvinst.log", "INSTALL");
    LogBegin("Pas");
    LogNote("in pas");
    LogBegin("Adanc");
    LogNote("mai adanc");
    LogEnd("Adanc");
    LogEnd("Pas");
    LogNote("afara");
    // A box's text keeps its line: each break (CR, LF or both) a blank, none at its end.
    for (const char* note : {"Nu am putut reface fisierele:\rC:\\A\rC:\\B", "unu\r\ndoi\ntrei", "Am gasit o instalare\r"})
        LogNote(note);
    LogClose();
    std::string tag = kTag;
    std::vector<std::string> expected = {
        tag,
        "Begin debug session: INSTALL - 07.12.2026 09:05:07" + tag,
        "BEGIN => Pas" + tag,
        "    *       in pas" + tag,
        " | |BEGIN => Adanc" + tag,
        "      *       mai adanc" + tag,
        " | |END <- Adanc" + tag,
        "END <- Pas" + tag,
        "  *       afara" + tag,
        "  *       Nu am putut reface fisierele: C:\\A C:\\B" + tag,
        "  *       unu doi trei" + tag,
        "  *       Am gasit o instalare" + tag,
        "End debug session: INSTALL - 07.12.2026 09:05:07" + tag,
    };
    EXPECT_EQ(Lines(), expected);
    EXPECT_FALSE(LogEnabled) << "closing switches the log off";
}

TEST_F(LogTest, EndWithoutBeginHasOneBar) {
    LogOpen("C:\\torvinst.log", "X");
    LogEnd("orfan");
    LogNote("sub zero");
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], std::string(" |END <- orfan") + kTag);
    EXPECT_EQ(lines[3], std::string("  *       sub zero") + kTag);
}

TEST_F(LogTest, EachStartAppendsANewSession) {
    LogOpen("C:\\torvinst.log", "INSTALL");
    LogOpen("C:\\torvinst.log", "INSTALL");
    LogClose();
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kTag);
    EXPECT_EQ(lines[2], kTag);
    EXPECT_EQ(lines[4].substr(0, 24), "End debug session: INSTA");
}

TEST_F(LogTest, OffMeansNoFileButErrorsStillShowTheirBox) {
    LogEnabled = false;
    Script script;
    script.AnswerMessage("OK");
    LogOpen("C:\\torvinst.log", "INSTALL");
    LogBegin("x");
    LogNote("y");
    LogError("ceva nu merge", 17);
    LogClose();
    EXPECT_FALSE(Machine().FileExists("C:\\torvinst.log"));
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, "17\rceva nu merge");
    EXPECT_EQ(script.Messages()[0].kind, ui::mtWarning);
    EXPECT_EQ(script.Messages()[0].title, "Atentie !");
}

TEST_F(LogTest, ErrorIsNotedWithItsCode) {
    Script script;
    script.AnswerMessage("OK");
    LogOpen("C:\\torvinst.log", "INSTALL");
    LogError("disc plin", 5);
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(Lines().back(), std::string("  *       5 / disc plin") + kTag);
}

TEST_F(LogTest, AFileThatCannotBeCreatedShowsTwoBoxesAndSwitchesOff) {
    Machine().FailOpen("C:\\NOWHERE\\torvinst.log");
    Script script;
    script.AnswerMessage("OK").AnswerMessage("OK");
    LogOpen("C:\\NOWHERE\\torvinst.log", "INSTALL");
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 2u);
    EXPECT_EQ(script.Messages()[0].text, "0\reroare OPEN debug");
    EXPECT_EQ(script.Messages()[1].text, "0\reroare SCRIERE debug");
    EXPECT_FALSE(LogEnabled);
}

TEST_F(LogTest, AFailedWriteShowsItsBoxAndSwitchesOff) {
    LogOpen("C:\\torvinst.log", "INSTALL");
    Machine().FailWritesAfter("torvinst.log", 0);
    Script script;
    script.AnswerMessage("OK");
    LogNote("nu ajunge");
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, "0\reroare debug");
    EXPECT_FALSE(LogEnabled);
    LogNote("nici asta");
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(LogTest, DebugMarkerBesideTheProgramSwitchesTheLogOn) {
    MakeFolders("C:\\KIT");
    Machine().SetModuleFileName("C:\\KIT\\INSTALL.EXE");
    InitLogEnabled();
    EXPECT_FALSE(LogEnabled);
    WriteFile("C:\\KIT\\debug.pas", "");
    InitLogEnabled();
    EXPECT_TRUE(LogEnabled);
}

#include <gtest/gtest.h>

#include "answers/Answers.h"
#include "answers/RunSwitches.h"

namespace {

using answers::Answers;
using answers::ParseAnswers;

TEST(AnswersFile, ReadsBothSectionsWithCommentsAndAnyLetterCase) {
    const auto reading = ParseAnswers(
        "; a CLIENT for the office\r\n"
        "[instalare]\r\n"
        "tip = client        ; the kind\r\n"
        "PROGRAM=C:\\Program Files\\WinTorv\r\n"
        "Date=N:\\WinTorv;x\r\n"
        "\r\n"
        "[Actualizare]\r\nClient=da\r\nStructuri=1\r\nListe=0\r\nConstante=1\r\n",
        "a.ini");
    ASSERT_FALSE(reading.problem) << reading.problem->Describe();
    Answers expected;
    expected.installType = 3;
    expected.programDir = "C:\\Program Files\\WinTorv";
    expected.dataDir = "N:\\WinTorv;x";  // a ";" inside a folder name is no comment
    expected.upgradeServerDatabase = true;
    expected.upgradeStructures = true;
    expected.upgradeLists = false;
    expected.upgradeConstants = true;
    EXPECT_EQ(reading.answers, expected);
}

TEST(AnswersFile, AWrongFileNamesItsLineAndKey) {
    struct Case {
        const char* text;
        int line;
        const char* key;
        const char* reason;
    } cases[] = {
        {"[Instalare]\nTip=LOCAL\n[Dezinstalare]\n", 3, "[Dezinstalare]", "sectiune necunoscuta"},
        {"[Instalare]\nTipul=LOCAL\n", 2, "[Instalare] Tipul", "cheie necunoscuta"},
        {"[Instalare]\nTip=RETEA\n", 2, "[Instalare] Tip", "valoare nepermisa \"RETEA\""},
        {"[Actualizare]\nListe=2\n", 2, "[Actualizare] Liste", "valoare nepermisa"},
        {"[Actualizare]\nClient=Poate\n", 2, "[Actualizare] Client", "valoare nepermisa"},
        {"[Instalare]\nProgram=\n", 2, "[Instalare] Program", "valoare nepermisa"},
        {"[Instalare]\nProgram=C:\\W\x01x\n", 2, "[Instalare] Program", "valoare nepermisa"},
        {"[Instalare]\nTip=LOCAL\ntip=SERVER\n", 3, "[Instalare] Tip", "de doua ori"},
        {"Tip=LOCAL\n", 1, "Tip", "in afara unei sectiuni"},
        {"[Instalare]\nTip LOCAL\n", 2, "", "nici sectiune, nici cheie"},
    };
    for (const Case& c : cases) {
        const auto reading = ParseAnswers(c.text, "r.ini");
        ASSERT_TRUE(reading.problem) << c.text;
        EXPECT_EQ(reading.problem->line, c.line) << c.text;
        EXPECT_EQ(reading.problem->key, c.key) << c.text;
        EXPECT_NE(reading.problem->reason.find(c.reason), std::string::npos) << reading.problem->Describe();
        EXPECT_NE(reading.problem->Describe().find("r.ini, linia " + std::to_string(c.line)), std::string::npos);
    }
}

TEST(AnswersFile, TheWayTakenNeedsItsKeys) {
    auto parse = [](const char* text) { return ParseAnswers(text, "n.ini").answers; };
    auto missing = [](const std::optional<answers::AnswersProblem>& p) { return p ? p->key : std::string("-"); };
    EXPECT_EQ(missing(answers::MissingForInstallation(parse("[Instalare]\nTip=LOCAL\nProgram=C:\\W\n"), "")), "-");
    EXPECT_EQ(missing(answers::MissingForInstallation(parse("[Instalare]\nTip=SERVER\nProgram=C:\\W\n"), "")),
              "[Instalare] Date");
    EXPECT_EQ(missing(answers::MissingForInstallation(parse("[Actualizare]\nClient=Nu\n"), "")), "[Instalare] Tip");
    const char* upgradeSteps = "[Actualizare]\nStructuri=1\nListe=1\nConstante=0\n";
    EXPECT_EQ(missing(answers::MissingForUpgrade(parse(upgradeSteps), false, "")), "-");
    EXPECT_EQ(missing(answers::MissingForUpgrade(parse(upgradeSteps), true, "")), "[Actualizare] Client");
    EXPECT_EQ(missing(answers::MissingForUpgrade(parse("[Actualizare]\nClient=Nu\n"), true, "")), "-");
    EXPECT_EQ(missing(answers::MissingForUpgrade(parse("[Actualizare]\nClient=Da\nListe=1\n"), true, "")),
              "[Actualizare] Structuri");
}

TEST(AnswersFile, AFormattedFileReadsBackTheSame) {
    Answers recorded;
    recorded.installType = 2;
    recorded.programDir = "D:\\Contab";
    recorded.dataDir = "D:\\Contab\\DATA";
    recorded.upgradeLists = false;
    const std::string text = answers::FormatAnswers(recorded);
    EXPECT_EQ(text, "[Instalare]\r\nTip=SERVER\r\nProgram=D:\\Contab\r\nDate=D:\\Contab\\DATA\r\n"
                    "[Actualizare]\r\nListe=0\r\n");
    const auto reading = ParseAnswers(text, "f.ini");
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(reading.answers, recorded);
}

TEST(RunSwitches, StandAnywhereAndRelativeFilesComeFromTheStartFolder) {
    const auto switches =
        answers::ParseRunSwitches({"-log", "x", "-RECORD", "rec.ini", "-auto", "\\\\srv\\k\\a b.ini"}, "C:\\Kit\\");
    EXPECT_EQ(switches.autoFile, "\\\\srv\\k\\a b.ini");
    EXPECT_EQ(switches.recordFile, "C:\\Kit\\rec.ini");
    EXPECT_TRUE(switches.problem.empty());
    EXPECT_EQ(answers::SwitchesForCommandLine(switches), " -auto \"\\\\srv\\k\\a b.ini\" -record C:\\Kit\\rec.ini");
    EXPECT_FALSE(answers::ParseRunSwitches({"-auto"}, "C:\\").problem.empty());
    EXPECT_FALSE(answers::ParseRunSwitches({"x", "-auto"}, "C:\\").problem.empty());
    for (const char* second : {"-auto", "-record", "-AUTO"}) {
        const auto logOnly = answers::ParseRunSwitches({"-log", second}, "C:\\");
        EXPECT_TRUE(logOnly.problem.empty() && !logOnly.Unattended() && logOnly.recordFile.empty()) << second;
    }
    EXPECT_EQ(answers::ParseRunSwitches({"-log", "-auto", "a.ini"}, "C:\\K").autoFile, "C:\\K\\a.ini");
    EXPECT_FALSE(answers::ParseRunSwitches({"-auto", "a", "-auto", "b"}, "C:\\").problem.empty());
    EXPECT_EQ(answers::SwitchesForCommandLine(answers::ParseRunSwitches({"-log", "-log"}, "C:\\")), "");
}

}  // namespace

#include <gtest/gtest.h>

#include "platform/IniFile.h"
#include "platform/NetworkDrives.h"
#include "platform/Paths.h"

using namespace plat;

TEST(Paths, JoinUsesExactlyOneBackslash) {
    EXPECT_EQ(JoinPath("C:\\WinTorv", "DATA"), "C:\\WinTorv\\DATA");
    EXPECT_EQ(JoinPath("C:\\WinTorv\\", "DATA"), "C:\\WinTorv\\DATA");
    EXPECT_EQ(JoinPath("C:\\WinTorv\\", "\\DATA"), "C:\\WinTorv\\DATA");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\A"), "C:\\A\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\A/"), "C:\\A/");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\A\\"), "C:\\A");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\A"), "C:\\A");
}

TEST(Paths, PiecesOfAPath) {
    EXPECT_EQ(ExtractFilePath("C:\\MEDIA\\INSTALL.EXE"), "C:\\MEDIA\\");
    EXPECT_EQ(ExtractFileName("C:\\MEDIA\\INSTALL.EXE"), "INSTALL.EXE");
    EXPECT_EQ(ExtractFilePath("INSTALL.EXE"), "");
    EXPECT_EQ(ExtractDriveRoot("a:\\x\\y"), "a:\\");
    EXPECT_EQ(ExtractDriveRoot("\\\\server\\share\\dir"), "\\\\server\\share\\");
    EXPECT_EQ(ExtractDriveRoot("relative\\dir"), "");
}

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCase) {
    std::string text = "[Other]\r\nNrDiscuri=9\r\n[general]\r\n nrdiscuri = 3 \r\n";
    EXPECT_EQ(IniRead(text, "General", "NrDiscuri"), "3");
    EXPECT_EQ(IniRead(text, "General", "Missing"), std::nullopt);
    EXPECT_EQ(IniRead(text, "Nowhere", "NrDiscuri"), std::nullopt);
}

TEST(IniFile, LeadingIntegerTakesOnlyTheDigitsInFront) {
    EXPECT_EQ(IniLeadingInteger("3"), 3);
    EXPECT_EQ(IniLeadingInteger("12ab"), 12);
    EXPECT_EQ(IniLeadingInteger("abc"), 0);
    EXPECT_EQ(IniLeadingInteger(""), 0);
}

TEST(IniFile, WriteReplacesAddsAndKeepsTheRest) {
    std::string text = "[Torvex]\r\nUser=A\r\n\r\n[Other]\r\nX=1\r\n";
    std::string replaced = IniWrite(text, "torvex", "user", "B");
    EXPECT_EQ(IniRead(replaced, "Torvex", "User"), "B");
    EXPECT_EQ(IniRead(replaced, "Other", "X"), "1");
    std::string added = IniWrite(replaced, "Torvex", "AppPath", "C:\\WinTorv");
    EXPECT_EQ(IniRead(added, "Torvex", "AppPath"), "C:\\WinTorv");
    EXPECT_EQ(IniRead(added, "Torvex", "User"), "B");
    std::string fresh = IniWrite("", "New", "K", "V");
    EXPECT_EQ(fresh, "[New]\r\nK=V\r\n");
}

TEST(NetworkDrives, AProgramStartedWithTheRightsReachesItsPathsThroughTheirShares) {
    LettersOnShares shares;
    shares.Use({{'N', "\\\\SRV\\OFFICE\\"}, {'M', "\\\\SRV\\Seen"}, {'S', "\\\\SRV\\Two Words"}},
               [](char letter) { return letter == 'M'; });
    const struct {
        const char* given;
        const char* started;
    } rows[] = {
        {"N:\\WinTorv\\SETUP.EXE /s N:\\WinTorv\\A.INF", "\\\\SRV\\OFFICE\\WinTorv\\SETUP.EXE /s \\\\SRV\\OFFICE\\WinTorv\\A.INF"},
        {"\"n:\\Win Torv\\SETUP.EXE\" -q", "\"\\\\SRV\\OFFICE\\Win Torv\\SETUP.EXE\" -q"},
        {"S:\\SETUP.EXE", "\"\\\\SRV\\Two Words\\SETUP.EXE\""},
        {"M:\\SETUP.EXE C:\\X  D:", "M:\\SETUP.EXE C:\\X  D:"},
        {"\"N:\\unclosed", "\"\\\\SRV\\OFFICE\\unclosed\""},
    };
    for (const auto& row : rows) EXPECT_EQ(shares.ReachInCommandLine(row.given), row.started) << row.given;
}

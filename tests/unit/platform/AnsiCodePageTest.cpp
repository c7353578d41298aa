#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/AnsiCodePage.h"

TEST(AnsiCodePage, RomanianFoldersInTheCentralEuropeanAndWesternCodePages) {
    struct Row {
        unsigned codePage;
        const char* utf8;
        const char* ansi;
        std::vector<std::string> missing;
    } rows[] = {
        {1250, "C:\\Firmă\\DATA", "C:\\Firm\xE3\\DATA", {}},
        {1252, "C:\\Firmă\\DATA", "C:\\Firm?\\DATA", {"ă"}},
        {1250, "C:\\Iași\\Țară", "C:\\Ia?i\\?ar\xE3", {"ș", "Ț"}},  // comma below: in no code page
        {1252, "C:\\Iași\\ași", "C:\\Ia?i\\a?i", {"ș"}},             // each letter named once
        {1250, "C:\\Işi\\Înţ", "C:\\I\xBAi\\\xCEn\xFE", {}},         // cedilla: Central European only
        {1252, "C:\\Café €", "C:\\Caf\xE9 \x80", {}},
        {1250, "C:\\Firm\xE3", "C:\\Firm\xE3", {}},  // no UTF-8: written in the code page already
    };
    for (const Row& row : rows) {
        const plat::AnsiText converted = plat::Utf8ToCodePage(row.codePage, row.utf8);
        EXPECT_EQ(converted.text, row.ansi) << row.codePage << " " << row.utf8;
        EXPECT_EQ(converted.missing, row.missing) << row.codePage << " " << row.utf8;
        if (converted.Whole() && converted.text != row.utf8) {
            EXPECT_EQ(plat::CodePageToUtf8(row.codePage, converted.text), row.utf8) << "and back";
        }
    }
}

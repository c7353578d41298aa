#include <gtest/gtest.h>

#include "unzip/FileSpec.h"

namespace {

struct SpecCase {
    const char* spec;
    const char* name;
    bool matches;
};

constexpr SpecCase kCases[] = {
    // Everything.
    {"", "ANY\\THING.X", true},
    {"*.*", "noext", true},
    {"*", "DIR\\FILE.TXT", true},
    // Extension after the first dot, case ignored.
    {"*.INI", "setup.ini", true},
    {"*.INI", "setup.ini.bak", false},
    {"*.ini", "SETUP.INI", true},
    {"*.DLL", "BIN\\X.DLL", true},
    {"*.DLL", "A.B.DLL", false},
    {"*.", "README", true},
    {"*.", "README.TXT", false},
    // Prefix of the part before the first dot.
    {"SET*", "SETUP.EXE", true},
    {"SET*", "SET.TXT", true},
    {"SET*", "SE.TXT", false},
    {"AB*.*", "ABC.DEF", true},
    {"AB?.*", "ABX", true},
    {"AB.*", "ABRACADABRA.TXT", true},
    {"AB.*", "XAB.TXT", false},
    {"AB*", "DIR\\AB.TXT", false},
    {"DIR\\A*", "dir\\abc.txt", true},
    // Exact names only otherwise; wildcards elsewhere are plain characters.
    {"SETUP.EXE", "setup.exe", true},
    {"SETUP.EXE", "DIR\\SETUP.EXE", false},
    {"SE?UP.EXE", "SETUP.EXE", false},
    {"SE?UP.EXE", "SE?UP.EXE", true},
    {"A*B", "AXB", false},
    {"A*B", "A*B", true},
};

TEST(MatchFileSpec, FollowsItsSmallGrammar) {
    for (const SpecCase& c : kCases)
        EXPECT_EQ(unzip::MatchFileSpec(c.spec, c.name), c.matches)
            << "spec \"" << c.spec << "\" name \"" << c.name << "\"";
}

TEST(MatchFileSpec, OnlyAsciiLettersFoldCase) {
    EXPECT_FALSE(unzip::MatchFileSpec("\xC3\x89.TXT", "\xC3\xA9.TXT"));
    EXPECT_TRUE(unzip::MatchFileSpec("\xC3\x89.txt", "\xC3\x89.TXT"));
}

}  // namespace

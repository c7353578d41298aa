#include <gtest/gtest.h>

#include "platform/IniFile.h"

namespace {

struct RemoveCase {
    const char* what;
    const char* text;
    const char* section;
    const char* key;
    const char* expected;
};

const RemoveCase kRemoveCases[] = {
    {"the key goes, the rest stays byte for byte",
     "[Torvex]\r\nUser=A\r\nPath=C:\\X\r\n\r\n[Other]\r\nX=1\r\n", "Torvex", "User",
     "[Torvex]\r\nPath=C:\\X\r\n\r\n[Other]\r\nX=1\r\n"},
    {"names compare without regard to case, blanks around the key do not count",
     "[torvex]\r\n  user = A \r\nX=2\r\n", "Torvex", "USER", "[torvex]\r\nX=2\r\n"},
    {"a section left without keys goes with its blank and comment lines",
     "[A]\r\n;note\r\nK=1\r\n\r\n[B]\r\nX=1\r\n", "A", "K", "[B]\r\nX=1\r\n"},
    {"every line that sets the key, in every section of that name",
     "[A]\nK=1\nK=2\n[B]\nK=3\n[a]\nK=4\nL=5\n", "A", "K", "[B]\nK=3\n[a]\nL=5\n"},
    {"the same key elsewhere and lines before the first section stay",
     "K=0\r\n[A]\r\nK=1\r\n[B]\r\nK=2\r\n", "A", "K", "K=0\r\n[B]\r\nK=2\r\n"},
    {"a missing key changes nothing", "[A]\r\nK=1\r\n", "A", "Z", "[A]\r\nK=1\r\n"},
    {"a missing section changes nothing", "[A]\r\nK=1\r\n", "B", "K", "[A]\r\nK=1\r\n"},
    {"a section of that name that holds no key goes though nothing was removed",
     "[A]\r\n\r\n[B]\r\nX=1", "A", "K", "[B]\r\nX=1"},
    {"a comment is no key: it neither goes nor keeps its section", "[A]\r\n;K=1\r\n", "A", "K", ""},
    {"a comment stays in a section that keeps a key", "[A]\r\n;K=1\r\nL=2\r\n", "A", "K",
     "[A]\r\n;K=1\r\nL=2\r\n"},
    {"a line with an equals sign and no name keeps its section", "[A]\r\nK=1\r\n=x\r\n", "A", "K",
     "[A]\r\n=x\r\n"},
    {"the last line may lack its line end", "[A]\r\nK=1\r\nL=2", "A", "L", "[A]\r\nK=1\r\n"},
    {"a value that only contains the key's name stays", "[A]\r\nX=K\r\n", "A", "K", "[A]\r\nX=K\r\n"},
    {"nothing to remove from nothing", "", "A", "K", ""},
};

TEST(IniFile, RemoveTakesTheKeyAndASectionItLeavesEmpty) {
    for (const RemoveCase& c : kRemoveCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(plat::IniRemove(c.text, c.section, c.key), c.expected);
    }
}

}  // namespace

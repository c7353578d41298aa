// The upgrade's replacement rule on output paths, with and without the folder's "\".
#include <gtest/gtest.h>

#include "work/copy/ReplacementRule.h"

namespace {

TEST(ReplacementRuleTest, DecidesOnThePathBelowTheTargetFolder) {
    struct Case {
        const char* folder;
        const char* output;
        bool program;
        const char* rest;  // as the run log shows it
        bool replace;
    };
    const Case cases[] = {
        {"C:\\WINTORV\\", "C:\\WINTORV\\TORVEX.EXE", true, "TORVEX.EXE", true},
        {"C:\\WINTORV\\", "C:\\WINTORV\\IDAPI32.CFG", true, "IDAPI32.CFG", false},
        {"C:\\WINTORV\\", "C:\\WINTORV\\idapi32.dll", true, "IDAPI32.DLL", false},
        // Typed without its "\": the engine's files are still kept.
        {"C:\\WinTorv", "C:\\WinTorv\\IDAPI32.CFG", true, "\\IDAPI32.CFG", false},
        {"C:\\WinTorv", "C:\\WinTorv\\VANTIR.EXE", true, "\\VANTIR.EXE", true},
        {"C:\\WINTORV", "C:\\WINTORV\\NEW\\DATA\\FIRMA.DB", false, "\\NEW\\DATA\\FIRMA.DB", true},
        {"C:\\WINTORV", "C:\\WINTORV\\new/data/x.db", false, "\\NEW/DATA/X.DB", true},
        {"C:\\WINTORV", "C:\\WINTORV\\DATA\\FIRMA.DB", false, "\\DATA\\FIRMA.DB", false},
        {"C:\\WINTORV\\", "C:\\WINTORV\\NEW\\LUNA\\L.DB", false, "NEW\\LUNA\\L.DB", true},
        {"C:\\WINTORV\\", "C:\\WINTORV\\DATA\\NEW.DB", false, "DATA\\NEW.DB", false},
    };
    for (const Case& c : cases) {
        const std::string rest = work::PathRest(c.output, std::string(c.folder).size());
        EXPECT_EQ(rest, c.rest) << c.output;
        EXPECT_EQ(work::ShouldReplace(rest, c.program), c.replace) << c.output;

        product::TCompRecord component{};
        component.Target = c.program ? product::TargetProgram : product::TargetData;
        EXPECT_EQ(work::ConfirmReplace(work::Replacement::UpgradeRule, component, c.folder, c.output), c.replace)
            << c.output;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "product/Components.h"
#include "core/InstallState.h"

using namespace core;
using namespace product;

namespace {
std::vector<std::string> Names(ComponentSet set) {
    std::vector<std::string> names;
    for (size_t i = 0; i < ComponentTable.size(); ++i)
        if (Contains(set, static_cast<int>(i))) names.emplace_back(ComponentTable[i].Name);
    return names;
}
using List = std::vector<std::string>;
}  // namespace

TEST(Components, FreshInstallationsUnpackTheirKindsSet) {
    EXPECT_EQ(Names(ComponentSets[InstallNone]), List{});
    List all{"EXE", "VANTIR", "DBDAT", "DBNEW", "BDE32", "HELP", "MIRDAN"};
    EXPECT_EQ(Names(ComponentSets[InstallLocal]), all);
    EXPECT_EQ(Names(ComponentSets[InstallServer]), all);
    EXPECT_EQ(Names(ComponentSets[InstallClient]), (List{"EXE", "VANTIR", "BDE32", "HELP", "MIRDAN"}));
}

TEST(Components, UpgradesNeverUnpackTheEngineAndClientsNoDatabases) {
    EXPECT_EQ(Names(UpgradeComponentSets[InstallNone]), List{});
    List withData{"EXE", "VANTIR", "DBDAT", "DBNEW", "HELP", "MIRDAN"};
    EXPECT_EQ(Names(UpgradeComponentSets[InstallLocal]), withData);
    EXPECT_EQ(Names(UpgradeComponentSets[InstallServer]), withData);
    EXPECT_EQ(Names(UpgradeComponentSets[InstallClient]), (List{"EXE", "VANTIR", "HELP", "MIRDAN"}));
}

TEST(Components, TableRowsCarryDescriptionAndTarget) {
    EXPECT_EQ(ComponentTable[2].Description, "TORVEX: baza de date si exemple");
    EXPECT_EQ(ComponentTable[3].Target, TargetDataToo);
    EXPECT_EQ(ComponentTable[4].Target, TargetEngine);
    EXPECT_EQ(ComponentTable[6].Target, TargetProgram);
}

TEST(Components, AliasPathHasExactlyOneBackslash) {
    EXPECT_EQ(AliasPath("C:\\WinTorv", AliasFolders[0]), "C:\\WinTorv\\NEW\\DATA");
    EXPECT_EQ(AliasPath("C:\\WinTorv\\", AliasFolders[3]), "C:\\WinTorv\\DATA");
    ASSERT_EQ(AliasNames.size(), AliasFolders.size());
    EXPECT_EQ(AliasNames[3], "TORVEX");
}

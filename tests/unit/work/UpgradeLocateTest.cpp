// Locating an existing installation without windows: the alias folder forms and the kind
// of installation, the profile's folders, the product test and the drive search.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/InstallState.h"
#include "work/locate/InstallationKind.h"
#include "work/locate/ProgramSearch.h"
#include "platform/Paths.h"
#include "tests/support/VirtualMachine.h"

namespace {

using work::DriveSearch;

class UpgradeLocateTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        // The host's own root stays reachable as Z:, but not as a fixed drive to search.
        Machine().AddDrive('Z', plat::DriveType::CdRom, "/");
    }

    // TORVEX.EXE of `size` bytes (sparse) in `folder`, made with its parents.
    void PlaceProduct(const std::string& folder, int64_t size = 7000000) {
        MakeFolders(folder);
        const std::string file = Machine().HostPath(plat::JoinPath(folder, "TORVEX.EXE"));
        WriteFile(plat::JoinPath(folder, "TORVEX.EXE"), "");
        std::filesystem::resize_file(file, static_cast<uintmax_t>(size));
    }

    std::string Search() {
        work::DriveSearch search;
        search.visiting = [this](const std::string& status) {
            statuses_.push_back(status);
            return false;
        };
        return work::SearchFixedDrives(search);
    }

    std::vector<std::string> statuses_;
};

TEST_F(UpgradeLocateTest, AliasFolderGivesTheDataFolderAndTheKindOfInstallation) {
    Machine().AddDrive('N', plat::DriveType::Remote);
    struct Case {
        const char* aliasFolder;
        const char* dataFolder;
        const char* root;
        uint8_t kind;
    };
    const Case cases[] = {
        {"C:\\WINTORV\\DATA", "C:\\WINTORV", "C:\\", core::InstallLocal},
        {"C:\\WINTORV\\DATA\\", "C:\\WINTORV", "C:\\", core::InstallLocal},
        {"C:\\WinTorv\\Data", "C:\\WinTorv", "C:\\", core::InstallLocal},
        {"C:\\CONTAB", "C:\\CONTAB", "C:\\", core::InstallLocal},
        {"\\\\SRV\\APPS\\WINTORV\\DATA", "\\\\SRV\\APPS\\WINTORV", "\\\\SRV\\APPS\\", core::InstallClient},
        {"\\\\SRV\\DATA", "\\\\SRV", "", core::InstallLocal},  // no complete share root
        {"N:\\WINTORV\\DATA", "N:\\WINTORV", "N:\\", core::InstallClient},
    };
    for (const Case& c : cases) {
        const std::string dataFolder = work::DataFolderOfAlias(c.aliasFolder);
        EXPECT_EQ(dataFolder, c.dataFolder) << c.aliasFolder;
        EXPECT_EQ(work::InstallationRoot(dataFolder), c.root) << c.aliasFolder;
        EXPECT_EQ(work::KindOfInstallation(dataFolder), c.kind) << c.aliasFolder;
    }
}

TEST_F(UpgradeLocateTest, ProfileNamesTheProgramFolderThroughAppPathOrTheDatabaseParent) {
    MakeFolders("C:\\WINTORV\\DATA");
    WriteFile("C:\\WINTORV\\TORVEX.EXE", "small: the profile's folders are not size-tested");
    const std::string longFolder = "C:\\Contabilitate firma mea\\WinTORVEX 2026\\";
    MakeFolders(longFolder);
    WriteFile(longFolder + "TORVEX.EXE", "x");
    struct Case {
        const char* appPath;
        const char* databasePath;
        std::string found;
    };
    const Case cases[] = {
        {"C:\\WINTORV\\", "", "C:\\WINTORV\\"},
        {"C:\\WINTORV", "", ""},                              // AppPath must end with "\"
        {"C:\\WINTORV", "C:\\WINTORV\\DATA", "C:\\WINTORV\\"},  // the database's parent
        {"", "C:\\ALTUL\\DATA", ""},
        {longFolder.c_str(), "", longFolder},                  // read whole, not cut to 32
    };
    for (const Case& c : cases) {
        Machine().WriteProfile("Torvex", "AppPath", c.appPath);
        Machine().WriteProfile("Torvex", "DatabasePath", c.databasePath);
        EXPECT_EQ(work::ProfileProgramFolder(), c.found) << c.appPath << " | " << c.databasePath;
    }
}

TEST_F(UpgradeLocateTest, ProductCountsOnlyAboveSixMillionBytes) {
    PlaceProduct("C:\\EXACT", 6000000);
    PlaceProduct("C:\\ABOVE", 6000001);
    MakeFolders("C:\\FOLDER\\TORVEX.EXE");
    EXPECT_FALSE(work::IsProgramFolder("C:\\EXACT"));
    EXPECT_TRUE(work::IsProgramFolder("C:\\ABOVE"));
    EXPECT_TRUE(work::IsProgramFolder("c:\\above\\"));
    EXPECT_FALSE(work::IsProgramFolder("C:\\FOLDER"));
    EXPECT_FALSE(work::IsProgramFolder("C:\\MISSING"));
}

TEST_F(UpgradeLocateTest, DrivesInLetterOrderEachFirstAtItsWinTorvFolder) {
    Machine().AddDrive('D', plat::DriveType::Fixed);
    Machine().AddDrive('E', plat::DriveType::Fixed);
    Machine().AddDrive('A', plat::DriveType::Removable);
    PlaceProduct("A:\\WinTorv");
    PlaceProduct("E:\\WinTorv");
    PlaceProduct("D:\\Aplicatii\\Contab");
    EXPECT_EQ(Search(), "D:\\Aplicatii\\Contab\\");

    PlaceProduct("D:\\WINTORV");  // the fixed name is tried before the drive's tree
    statuses_.clear();
    EXPECT_EQ(Search(), "D:\\WinTorv\\");

    PlaceProduct("C:\\Vechi\\Torvex");  // drive C: comes first
    EXPECT_EQ(Search(), "C:\\Vechi\\Torvex\\");
}

TEST_F(UpgradeLocateTest, HiddenFoldersTheWindowsFolderAndLongPathsAreNotSearched) {
    PlaceProduct("C:\\.ascuns\\WinTorv");
    // The listing spells the Windows folder otherwise than the platform names it.
    std::filesystem::rename(Machine().HostPath("C:\\WINDOWS"), root_ + "/c/Windows");
    PlaceProduct("C:\\Windows\\Torvex");
    const std::string parent = "C:\\" + std::string(80, 'a') + "\\";
    PlaceProduct(parent + std::string(16, 'b'));  // 101 characters with the final backslash
    EXPECT_EQ(Search(), "");
    for (const std::string& status : statuses_) {
        EXPECT_EQ(status.find("ascuns"), std::string::npos) << status;
        EXPECT_EQ(status.find("Windows"), std::string::npos) << status;
    }
    const std::string hundred = parent + std::string(15, 'd') + "\\";
    ASSERT_EQ(hundred.size(), 100u);
    PlaceProduct(hundred);
    EXPECT_EQ(Search(), hundred);
}

TEST_F(UpgradeLocateTest, EachVisitedFolderShowsItsLastCharactersAndCanStopTheSearch) {
    MakeFolders("C:\\Documente si setari\\Utilizator\\Contabilitate");
    MakeFolders("C:\\Jocuri\\Vechi");
    work::DriveSearch search;
    std::vector<std::string> seen;
    search.visiting = [&seen](const std::string& status) {
        seen.push_back(status);
        return seen.size() == 3;
    };
    EXPECT_EQ(work::SearchFixedDrives(search), "");
    EXPECT_TRUE(search.stopped);
    ASSERT_EQ(seen.size(), 3u);  // of the seven folders, none after the stop
    EXPECT_EQ(seen[0], "Caut in ..C:\\");
    for (const std::string& status : seen) EXPECT_LE(status.size(), 10u + 31u) << status;
    EXPECT_EQ(work::SearchStatusText("C:\\Documente si setari\\Utilizator\\Contabilitate\\"),
              "Caut in ..etari\\Utilizator\\Contabilitate\\");
}

}  // namespace

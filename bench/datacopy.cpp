// datacopy: what keeping the data aside adds to an upgrade that succeeds, through the
// platform's file calls as the database upgrade page makes them: the upgrade's journal
// begun, the data folder copied into the upgrade's folder of its drive with every file
// read back and checked, then the journal committed, which removes the copy.
//   datacopy DRIVE-FOLDER      a host folder taken for drive E:, the data in E:\DATA
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "journal/UpgradeJournal.h"
#include "platform/host/HostPlatform.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: datacopy DRIVE-FOLDER\n", stderr);
        return 3;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "datacopy-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    int status = 0;
    {
        plat::HostPlatform machine(pattern);
        machine.AddDrive('E', plat::DriveType::Fixed, std::filesystem::absolute(argv[1]).lexically_normal().string());
        plat::SetCurrent(&machine);
        journal::UpgradeJournal upgrade;
        if (upgrade.Begin("E:\\WinTorv\\") != journal::UpgradeJournal::Start::Begun) {
            std::fputs("datacopy: the journal cannot begin\n", stderr);
            status = 2;
        } else if (!upgrade.KeepData("E:\\DATA")) {
            std::fprintf(stderr, "datacopy: not kept: %s\n", upgrade.Problem().c_str());
            upgrade.RollBack();
            status = 2;
        } else if (!upgrade.Commit()) {
            std::fputs("datacopy: the copy was not removed\n", stderr);
            status = 2;
        }
        plat::SetCurrent(nullptr);
    }
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    return status;
}

// drivesearch: the locate page's search of the fixed drives, on a virtual machine whose
// drive C: is a host folder, with the status text built for every folder visited as the
// page shows it. Prints the program folder found, if any.
//   drivesearch FOLDER
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "work/locate/ProgramSearch.h"
#include "platform/host/HostPlatform.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: drivesearch FOLDER\n", stderr);
        return 3;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "drivesearch-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    size_t visited = 0;
    std::string found;
    {
        plat::HostPlatform machine(pattern);
        machine.AddDrive('C', plat::DriveType::Fixed, std::filesystem::absolute(argv[1]).string());
        machine.AddDrive('Z', plat::DriveType::CdRom, "/");  // the host's root is not searched
        plat::SetCurrent(&machine);
        work::DriveSearch search;
        std::string status;
        search.visiting = [&](const std::string& text) {
            status = text;
            ++visited;
            return false;
        };
        found = work::SearchFixedDrives(search);
        plat::SetCurrent(nullptr);
    }
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    std::printf("%zu folders visited%s%s\n", visited, found.empty() ? "" : ", found ", found.c_str());
    return 0;
}

// copywork: the file copy page's work for a LOCAL installation from a CD folder, on a
// virtual machine whose drive D: (a CD) is the media folder and whose drive C: is a host
// folder: joins the pieces into archives in C:\WinTorv, unpacks them into the program,
// data and engine folders, deletes the archives.
//   copywork MEDIA TARGET       (TARGET: an empty host folder, drive C:)
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/InstallState.h"
#include "work/copy/CopyWork.h"
#include "platform/host/HostPlatform.h"

namespace {

// Nobody answers during a measurement: a box is printed and refused.
class QuietReports : public work::Reports {
public:
    work::Answer Tell(const work::Notice& notice) override {
        std::fprintf(stderr, "copywork: %s\n", notice.text.c_str());
        return work::Answer::Cancel;
    }
    void SetHeading(const std::string&) override {}
    void KeepAlive() override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: copywork MEDIA TARGET\n", stderr);
        return 3;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "copywork-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    work::CopyOutcome outcome;
    {
        plat::HostPlatform machine(pattern);
        machine.AddDrive('C', plat::DriveType::Fixed, std::filesystem::absolute(argv[2]).string());
        machine.AddDrive('D', plat::DriveType::CdRom, std::filesystem::absolute(argv[1]).string());
        plat::SetCurrent(&machine);
        machine.MakeDirectory("C:\\WinTorv");
        machine.MakeDirectory("C:\\Program Files");
        machine.RegistryWriteString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                                    "C:\\Program Files");
        work::CopyOrder order;
        order.source.folder = "D:\\";
        order.folders = {"C:\\WinTorv", "C:\\WinTorv", "C:\\WinTorv"};
        order.selection = product::ComponentSets[core::InstallLocal];
        QuietReports reports;
        work::CopyWork work(order, {}, reports);
        outcome = work.Run();
        plat::SetCurrent(nullptr);
    }
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    if (outcome != work::CopyOutcome::Done) {
        std::fputs("copywork: the copy did not succeed\n", stderr);
        return 1;
    }
    return 0;
}

// Arbitrary bytes as an archive: listing, measuring, and extracting every member. Every
// result must be one of the engine's codes and nothing may appear outside the target.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/fuzz/unzip/FuzzMachine.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    plat::HostPlatform& machine = unzip_fuzz::FuzzMachine::Get().Machine();
    const std::string archive = "C:\\IN\\F.ZIP";
    const std::filesystem::path hostFolder = machine.HostPath("C:\\IN");
    std::filesystem::create_directories(hostFolder);
    {
        std::ofstream out(machine.HostPath(archive), std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    int32_t compressed = 0;
    unzip::MeasureArchive(archive, &compressed);
    unzip::ListArchive(archive, "*.*", [](int32_t, unzip::ExtractReport*) {});
    const int32_t result = unzip::ExtractArchive(
        archive, "C:\\IN\\OUT", "",
        [](int32_t value, unzip::ExtractReport* report) {
            if (report->Status == unzip::StatusFileFailed && !unzip::IsReportedMemberFailure(value))
                std::abort();
        },
        nullptr);
    if (result < 0 && result != unzip::ZipSeriousError && result != unzip::ZipNotArchive &&
        result != unzip::ZipArchiveError)
        std::abort();
    // Nothing may be created beside the input folder.
    for (const auto& entry : std::filesystem::directory_iterator(machine.HostPath("C:\\"))) {
        const std::string name = entry.path().filename().string();
        if (name != "IN" && name != "WINDOWS" && name != "TEMP") std::abort();
    }
    std::filesystem::remove_all(hostFolder);
    return 0;
}

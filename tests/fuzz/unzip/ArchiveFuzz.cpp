// Arbitrary bytes as an archive: listing, measuring, and extracting every member, on a
// machine in memory. Every result must be one of the engine's codes and nothing may
// appear outside the target.
#include <cstdint>
#include <cstdlib>

#include "tests/fuzz/unzip/FuzzMachine.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

namespace {

// Small inputs keep every run quick; tests/fuzz/run.sh passes the same bound to libFuzzer.
constexpr size_t kLongestInput = 8192;
const char* const kFolder = "C:\\IN";
const char* const kArchive = "C:\\IN\\F.ZIP";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kLongestInput) return 0;
    unzip_fuzz::MemoryPlatform& machine = unzip_fuzz::FuzzMachine::Get();
    machine.MakeDirectory(kFolder);
    machine.Open(kArchive, plat::OpenMode::Create)->Write(data, int64_t(size));

    int32_t compressed = 0;
    unzip::MeasureArchive(kArchive, &compressed);
    unzip::ListArchive(kArchive, "*.*", [](int32_t, unzip::ExtractReport*) {});
    const int32_t result = unzip::ExtractArchive(
        kArchive, "C:\\IN\\OUT", "",
        [](int32_t value, unzip::ExtractReport* report) {
            if (report->Status == unzip::StatusFileFailed && !unzip::IsReportedMemberFailure(value))
                std::abort();
        },
        nullptr);
    if (result < 0 && result != unzip::ZipSeriousError && result != unzip::ZipNotArchive &&
        result != unzip::ZipArchiveError)
        std::abort();
    if (!machine.OnlyUnder(kFolder)) std::abort();
    machine.RemoveTree(kFolder);
    return 0;
}

#include "unzip/ArchiveInfo.h"

#include <cstring>

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "unzip/ArchiveWalk.h"
#include "unzip/ByteOrder.h"
#include "unzip/EngineState.h"
#include "unzip/FileSpec.h"
#include "unzip/ZipCodes.h"
#include "unzip/ZipDirectory.h"

namespace unzip {

namespace {

// Restores the process's current folder on every path out of a test that changes it.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper() : saved_(plat::Current().CurrentDirectory()) {}
    ~CurrentFolderKeeper() { plat::Current().ChangeDirectory(saved_); }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

private:
    std::string saved_;
};

bool IsFolder(const std::string& path) {
    CurrentFolderKeeper keeper;
    return plat::Current().ChangeDirectory(plat::ExcludeTrailingBackslash(path));
}

}  // namespace

bool LooksLikeZip(const std::string& path) {
    if (path.find('.') == std::string::npos) return false;
    if (path.find(".exe") != std::string::npos) return false;
    if (IsFolder(path)) return false;
    std::unique_ptr<plat::File> file = plat::Current().Open(path, plat::OpenMode::Read);
    if (!file) return false;
    uint8_t signature[4];
    return file->Read(signature, 4) == 4 && Little32(signature) == kLocalHeaderSignature;
}

int32_t ListArchive(const std::string& archivePath, const std::string& spec,
                    const ExtractReportProc& proc) {
    if (archivePath.empty() || !proc) return ZipMissingParameter;
    if (!LooksLikeZip(archivePath)) return ZipNotArchive;

    // A listing asked for while an extraction runs (from a message handler) takes a
    // record of its own and leaves the extraction's report alone.
    ExtractReport ownRecord{};
    ExtractReport& report = ExtractionRunning() ? ownRecord : TheReport();
    std::memset(&report, 0, sizeof report);
    ArchiveWalk walk(archivePath);
    while (walk.Next()) {
        if (!MatchFileSpec(spec, walk.Entry().FileName)) continue;
        walk.Tally();
        FillReportFromEntry(report, walk.Entry(), walk.Entry().FileName);
        proc(0, &report);
    }
    walk.FillClosingReport(report);
    proc(walk.Count(), &report);
    return walk.Damaged() ? ZipArchiveError : walk.Count();
}

int32_t MeasureArchive(const std::string& archivePath, int32_t* compressedTotal) {
    int32_t sizeTotal = 0, packedTotal = 0;
    if (!archivePath.empty()) {
        if (std::unique_ptr<plat::File> file =
                plat::Current().Open(archivePath, plat::OpenMode::Read)) {
            sizeTotal = packedTotal = int32_t(file->Size());
            file.reset();
            if (LooksLikeZip(archivePath)) {
                ArchiveWalk walk(archivePath);
                while (walk.Next()) walk.Tally();
                sizeTotal = walk.SizeTotal();
                packedTotal = walk.CompressedTotal();
            }
        }
    }
    if (compressedTotal) *compressedTotal = packedTotal;
    return sizeTotal;
}

}  // namespace unzip

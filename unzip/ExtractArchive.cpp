#include <cstring>

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/Extraction.h"
#include "unzip/FileSpec.h"
#include "unzip/OutputPath.h"
#include "unzip/ZipCodes.h"
#include "unzip/ZipDirectory.h"

namespace unzip {

namespace {

// Clears the process-wide procedures on every way out of a walk.
class ProcedureScope {
public:
    ProcedureScope(ExtractReportProc report, OverwriteQueryProc query) {
        SetReportProc(std::move(report));
        SetQueryProc(std::move(query));
    }
    ~ProcedureScope() {
        SetReportProc(nullptr);
        SetQueryProc(nullptr);
    }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
};

// A member whose output would land outside the target folder, or whose path does not
// fit what the engine writes, fails as an output that cannot be created.
bool CanWrite(const ZipDirCursor& entry, const std::string& output) {
    return !entry.NameWasCut && output.size() <= kMaxOutputPath &&
           IsSafeStoredName(entry.FileName);
}

}  // namespace

int32_t ExtractArchive(const std::string& archivePath, const std::string& targetFolder,
                       const std::string& spec, const ExtractReportProc& reportProc,
                       const OverwriteQueryProc& queryProc) {
    if (archivePath.empty() || targetFolder.empty()) return ZipMissingParameter;
    std::string folder = targetFolder;
    if (!plat::IsSeparator(folder.back())) folder += '\\';
    if (!LooksLikeZip(archivePath)) return ZipNotArchive;

    ExtractReport& report = TheReport();
    std::memset(&report, 0, sizeof report);
    ProcedureScope procedures(
        reportProc ? reportProc : ExtractReportProc([](int32_t, ExtractReport*) {}), queryProc);
    if (reportProc) {
        SetReportName(report, archivePath);
        int32_t compressedTotal = 0;
        report.Size = MeasureArchive(archivePath, &compressedTotal);
        report.CompressSize = compressedTotal;
        report.Ratio = CompressionRatio(report.CompressSize, report.Size);
        report.Status = StatusArchiveStart;
        Report(StatusArchiveStart);
    }

    int32_t count = 0, sizeTotal = 0, compressedTotal = 0;
    ZipDirCursor entry;
    for (int32_t walk = OpenZipDir(archivePath, entry); walk == ZipOk;
         walk = NextZipDirEntry(entry)) {
        if (!MatchFileSpec(spec, entry.FileName)) continue;
        sizeTotal = AddWrapping(sizeTotal, entry.Size);
        compressedTotal = AddWrapping(compressedTotal, entry.CompressSize);
        const std::string output = folder + entry.FileName;
        FillReportFromEntry(report, entry, output);
        report.Status = StatusFileStart;
        Report(StatusFileStart);

        int32_t result;
        if (!CanWrite(entry, output)) {
            result = ZipWriteError;
        } else if (queryProc && plat::Current().FileExists(output) && !queryProc(&report)) {
            report.Status = StatusBytesWritten;
            report.PackMethod = kPackMethodSkipped;
            Report(entry.Size);
            result = ZipOk;
        } else {
            result = ExtractMember(archivePath, output, entry.HeaderOffset, 0, kEscapeKey);
        }

        if (result == ZipOk) {
            ++count;
            report.Status = StatusFileDone;
            Report(StatusFileDone);
            continue;
        }
        report.Status = StatusFileFailed;
        if (IsReportedMemberFailure(result)) {
            Report(result);
        } else if (IsSeriousMemberResult(result)) {
            report.Status = ZipSeriousError;
            Report(ZipSeriousError);
            return ZipSeriousError;
        }
    }

    CloseZipDir(entry);
    report.Time = -1;
    report.Attributes = -1;
    report.PackMethod = 0;
    report.Size = sizeTotal;
    report.CompressSize = compressedTotal;
    SetReportName(report, archivePath);
    report.Ratio = CompressionRatio(compressedTotal, sizeTotal);
    report.Status = StatusArchiveDone;
    Report(StatusArchiveDone);
    return count;
}

}  // namespace unzip

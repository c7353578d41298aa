#include <cstring>

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/ArchiveWalk.h"
#include "unzip/EngineState.h"
#include "unzip/Extraction.h"
#include "unzip/FileSpec.h"
#include "unzip/MemberSpans.h"
#include "unzip/MemberWriter.h"
#include "unzip/OutputPath.h"
#include "unzip/ZipCodes.h"
#include "unzip/ZipDirectory.h"

namespace unzip {

namespace {

constexpr uint64_t kLocalHeaderSize = 30;

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

// One matching entry: refused, skipped on the query's answer, or extracted.
int32_t ExtractEntry(const std::string& archivePath, plat::File* archive,
                     const ZipDirCursor& entry, const std::string& output, MemberSpans& spans,
                     const OverwriteQueryProc& queryProc, ExtractReport& report) {
    if (!CanWrite(entry, output)) return ZipWriteError;
    if (!spans.Claim(uint32_t(entry.HeaderOffset), kLocalHeaderSize + uint32_t(entry.CompressSize)))
        return ZipDataError;
    if (queryProc && plat::Current().FileExists(output) && !queryProc(&report)) {
        report.Status = StatusBytesWritten;
        report.PackMethod = kPackMethodSkipped;
        Report(entry.Size);
        return ZipOk;
    }
    const CentralSizes central{uint32_t(entry.CompressSize), uint32_t(entry.Size)};
    return WriteMember(archivePath, archive, output, entry.HeaderOffset, 0, kEscapeKey, &central);
}

}  // namespace

int32_t ExtractArchive(const std::string& archivePath, const std::string& targetFolder,
                       const std::string& spec, const ExtractReportProc& reportProc,
                       const OverwriteQueryProc& queryProc) {
    if (archivePath.empty() || targetFolder.empty()) return ZipMissingParameter;
    // Before anything else: a refused second extraction leaves the running one's report
    // and procedures as they are.
    BusyFlag busy;
    if (!busy.Take()) return ZipBusy;
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

    int32_t extracted = 0;
    MemberSpans spans;
    ArchiveWalk walk(archivePath);
    // One opening serves every member (a member that finds it missing opens its own).
    const std::unique_ptr<plat::File> archive = OpenArchiveForMembers(archivePath);
    while (walk.Next()) {
        const ZipDirCursor& entry = walk.Entry();
        if (!MatchFileSpec(spec, entry.FileName)) continue;
        walk.Tally();
        const std::string output = folder + entry.FileName;
        FillReportFromEntry(report, entry, output);
        report.Status = StatusFileStart;
        Report(StatusFileStart);

        const int32_t result =
            ExtractEntry(archivePath, archive.get(), entry, output, spans, queryProc, report);
        if (result == ZipOk) {
            ++extracted;
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

    if (walk.Damaged()) {
        // The members that could be read are out; the archive is still not whole.
        report.Status = ZipSeriousError;
        Report(ZipSeriousError);
        return ZipArchiveError;
    }
    walk.FillClosingReport(report);
    report.Status = StatusArchiveDone;
    Report(StatusArchiveDone);
    return extracted;
}

}  // namespace unzip

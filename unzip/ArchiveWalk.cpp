#include "unzip/ArchiveWalk.h"

#include <utility>

#include "unzip/ZipCodes.h"

namespace unzip {

ArchiveWalk::ArchiveWalk(std::string archivePath) : archivePath_(std::move(archivePath)) {}

bool ArchiveWalk::Next() {
    lastResult_ = started_ ? NextZipDirEntry(cursor_) : OpenZipDir(archivePath_, cursor_);
    started_ = true;
    return lastResult_ == ZipOk;
}

void ArchiveWalk::Tally() {
    ++count_;
    sizeTotal_ = AddWrapping(sizeTotal_, cursor_.Size);
    compressedTotal_ = AddWrapping(compressedTotal_, cursor_.CompressSize);
}

bool ArchiveWalk::Damaged() const {
    // The directory could not be found or loaded (-9, -11), or ended before its end.
    return lastResult_ != ZipNoMoreEntries || !cursor_.WalkComplete();
}

void ArchiveWalk::FillClosingReport(ExtractReport& report) const {
    report.Time = -1;
    report.Attributes = -1;
    report.PackMethod = 0;
    report.Size = sizeTotal_;
    report.CompressSize = compressedTotal_;
    SetReportName(report, archivePath_);
    report.Ratio = CompressionRatio(compressedTotal_, sizeTotal_);
}

}  // namespace unzip

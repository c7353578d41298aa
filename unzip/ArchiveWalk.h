// One walk over an archive's central directory, as listing, measuring and extraction all
// make it: entry by entry, with the running totals of the entries the caller counts, the
// closing report, and the verdict on the directory once the walk has ended.
#pragma once

#include <cstdint>
#include <string>

#include "unzip/ExtractReport.h"
#include "unzip/ZipDirectory.h"

namespace unzip {

class ArchiveWalk {
public:
    explicit ArchiveWalk(std::string archivePath);

    // Moves to the next entry (the first on the first call); false when the walk ended.
    bool Next();
    const ZipDirCursor& Entry() const { return cursor_; }

    // Adds the current entry's sizes to the totals and counts it.
    void Tally();
    int32_t Count() const { return count_; }
    int32_t SizeTotal() const { return sizeTotal_; }
    int32_t CompressedTotal() const { return compressedTotal_; }

    // Once the walk has ended: true when the directory could not be read to its end, or
    // held fewer entries than its end record counts.
    bool Damaged() const;

    // The closing report: the archive's path, the totals and their ratio, Time and
    // Attributes -1, PackMethod 0.
    void FillClosingReport(ExtractReport& report) const;

private:
    std::string archivePath_;
    ZipDirCursor cursor_;
    bool started_ = false;
    int32_t lastResult_ = 0;
    int32_t count_ = 0;
    int32_t sizeTotal_ = 0;
    int32_t compressedTotal_ = 0;
};

}  // namespace unzip

// The report record that the engine hands to its report and query procedures, and the
// process-wide procedures themselves. One record serves a whole archive walk: it is
// cleared when a walk starts and passed by address to every call, and its `Status`
// field tells a procedure why it is being called (see ZipCodes.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace unzip {

constexpr int kReportNameSize = 260;  // 259 characters and the terminating NUL

#pragma pack(push, 1)
struct ExtractReport {
    char FileName[kReportNameSize];  // output path; the archive path when opening and closing
    int32_t Time;                    // DOS time (low word) and date (high word); -1 when closing
    int32_t Size;                    // uncompressed size, or a total
    int32_t CompressSize;            // compressed size, or a total
    int32_t Attributes;              // low byte of the external attributes; -1 when closing
    uint16_t PackMethod;             // 9 marks a member skipped on the query's answer
    uint8_t Ratio;                   // 100 - round(CompressSize * 100 / Size)
    int32_t Status;                  // a Status* code of ZipCodes.h
};
#pragma pack(pop)

// `PackMethod` of a member that the query procedure chose not to overwrite.
constexpr uint16_t kPackMethodSkipped = 9;

// `value` carries what the status says: a byte count for StatusBytesWritten, the member's
// result for StatusFileFailed, otherwise the status code itself (or a count when listing).
using ExtractReportProc = std::function<void(int32_t value, ExtractReport* report)>;
// True to write the member over the existing file named in `report->FileName`.
using OverwriteQueryProc = std::function<bool(ExtractReport* report)>;

// The process-wide procedures; each setter returns the procedure held before.
ExtractReportProc SetReportProc(ExtractReportProc proc);
OverwriteQueryProc SetQueryProc(OverwriteQueryProc proc);
const ExtractReportProc& CurrentReportProc();
const OverwriteQueryProc& CurrentQueryProc();

// The one report record of the process.
ExtractReport& TheReport();

// Calls the process-wide report procedure, if any, with `value` and the report record.
void Report(int32_t value);

// 100 - round(compressed * 100 / size) with halves rounded to even, kept to its low byte as
// the record's 8-bit field keeps it; 0 for an empty size.
uint8_t CompressionRatio(int32_t compressSize, int32_t size);
// Sizes are added as the 32-bit fields they are; an overflowing total wraps.
inline int32_t AddWrapping(int32_t total, int32_t value) { return int32_t(uint32_t(total) + uint32_t(value)); }

// Copies `text` into the record's name field, cut to what the field holds.
void SetReportName(ExtractReport& report, std::string_view text);

}  // namespace unzip

#include "unzip/ExtractReport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace unzip {

namespace {
ExtractReportProc reportProc;
OverwriteQueryProc queryProc;
ExtractReport theReport{};
}  // namespace

ExtractReportProc SetReportProc(ExtractReportProc proc) {
    return std::exchange(reportProc, std::move(proc));
}

OverwriteQueryProc SetQueryProc(OverwriteQueryProc proc) {
    return std::exchange(queryProc, std::move(proc));
}

const ExtractReportProc& CurrentReportProc() { return reportProc; }
const OverwriteQueryProc& CurrentQueryProc() { return queryProc; }

ExtractReport& TheReport() { return theReport; }

void Report(int32_t value) {
    // A copy keeps the procedure alive should it replace itself while it runs.
    if (ExtractReportProc proc = reportProc) proc(value, &theReport);
}

uint8_t CompressionRatio(int32_t compressSize, int32_t size) {
    if (size == 0) return 0;
    // The default rounding mode of the floating-point unit rounds halves to even.
    double percent = std::nearbyint(double(compressSize) * 100.0 / double(size));
    // Out-of-range ratios come from lying archives; any byte is acceptable there.
    if (!(percent > -1e15 && percent < 1e15)) return 0;
    return uint8_t(int64_t(100) - int64_t(percent));
}

void SetReportName(ExtractReport& report, std::string_view text) {
    size_t length = std::min(text.size(), size_t(kReportNameSize - 1));
    std::memcpy(report.FileName, text.data(), length);
    report.FileName[length] = '\0';
}

}  // namespace unzip

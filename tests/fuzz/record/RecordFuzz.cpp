// Any text reads as a record without fault, and a record that reads whole writes out as
// one that reads back to the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "record/InstallRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const record::RecordReading reading = record::ParseRecord(text, "D.INI");
    if (!reading.problem.empty()) return 0;
    const std::string formatted = record::FormatRecord(reading.record);
    const record::RecordReading again = record::ParseRecord(formatted, "D.INI");
    if (!again.problem.empty() || record::FormatRecord(again.record) != formatted) std::abort();
    return 0;
}

// Result codes of the archive engine and the status codes that tell a report procedure
// why it is being called. The values are part of the engine's contract with the pages
// and with qunzip's exit status; never renumber them.
#pragma once

#include <cstdint>

namespace unzip {

// Results of member and archive operations.
constexpr int32_t ZipOk = 0;
constexpr int32_t ZipCrcError = -1;
constexpr int32_t ZipWriteError = -2;
constexpr int32_t ZipReadError = -3;
constexpr int32_t ZipDataError = -4;
constexpr int32_t ZipUserAbort = -5;
constexpr int32_t ZipUnsupported = -6;
constexpr int32_t ZipEncrypted = -7;
constexpr int32_t ZipBusy = -8;
constexpr int32_t ZipBadDirectory = -9;
constexpr int32_t ZipNoMoreEntries = -10;
constexpr int32_t ZipArchiveError = -11;
constexpr int32_t ZipNotArchive = -12;
constexpr int32_t ZipSeriousError = -100;
constexpr int32_t ZipMissingParameter = -500;

// A dynamic deflate block whose header declares too many codes, or whose code-length
// repeats overrun the declared count, ends its member with this positive result.
constexpr int32_t ZipBadBlockHeader = 1;
// Memory ran out for a fixed deflate block's tables: the member ends with this result.
constexpr int32_t ZipTableNoMemory = 3;

// `ExtractReport::Status` values.
constexpr int32_t StatusFileStart = -1000;
constexpr int32_t StatusBytesWritten = -1001;
constexpr int32_t StatusFileDone = -1002;
constexpr int32_t StatusFileFailed = -1003;
constexpr int32_t StatusArchiveStart = -1004;
constexpr int32_t StatusArchiveDone = -1005;

// The member's result codes that stop a whole archive walk; others are reported and skipped.
bool IsSeriousMemberResult(int32_t result);
// Results reported with StatusFileFailed while the walk goes on.
bool IsReportedMemberFailure(int32_t result);

// "ZipCrcError", "StatusFileDone", ... for logs and tools; "?" for a value not in the tables.
const char* ResultCodeName(int32_t code);
const char* StatusCodeName(int32_t status);

}  // namespace unzip

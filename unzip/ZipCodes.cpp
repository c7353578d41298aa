#include "unzip/ZipCodes.h"

#include <iterator>

namespace unzip {

namespace {

struct CodeName {
    int32_t code;
    const char* name;
};

constexpr CodeName kResultNames[] = {
    {ZipOk, "ZipOk"},
    {ZipCrcError, "ZipCrcError"},
    {ZipWriteError, "ZipWriteError"},
    {ZipReadError, "ZipReadError"},
    {ZipDataError, "ZipDataError"},
    {ZipUserAbort, "ZipUserAbort"},
    {ZipUnsupported, "ZipUnsupported"},
    {ZipEncrypted, "ZipEncrypted"},
    {ZipBusy, "ZipBusy"},
    {ZipBadDirectory, "ZipBadDirectory"},
    {ZipNoMoreEntries, "ZipNoMoreEntries"},
    {ZipArchiveError, "ZipArchiveError"},
    {ZipNotArchive, "ZipNotArchive"},
    {ZipSeriousError, "ZipSeriousError"},
    {ZipMissingParameter, "ZipMissingParameter"},
    {ZipBadBlockHeader, "ZipBadBlockHeader"},
};

constexpr CodeName kStatusNames[] = {
    {StatusFileStart, "StatusFileStart"},
    {StatusBytesWritten, "StatusBytesWritten"},
    {StatusFileDone, "StatusFileDone"},
    {StatusFileFailed, "StatusFileFailed"},
    {StatusArchiveStart, "StatusArchiveStart"},
    {StatusArchiveDone, "StatusArchiveDone"},
    {ZipSeriousError, "ZipSeriousError"},
};

template <size_t N>
const char* Lookup(const CodeName (&table)[N], int32_t code) {
    for (const CodeName& entry : table)
        if (entry.code == code) return entry.name;
    return "?";
}

}  // namespace

bool IsSeriousMemberResult(int32_t result) {
    switch (result) {
        case ZipReadError:
        case ZipDataError:
        case ZipUserAbort:
        case ZipBusy:
        case ZipBadDirectory:
        case ZipArchiveError:
            return true;
        default:
            return false;
    }
}

bool IsReportedMemberFailure(int32_t result) {
    return result == ZipCrcError || result == ZipWriteError || result == ZipUnsupported ||
           result == ZipEncrypted;
}

const char* ResultCodeName(int32_t code) { return Lookup(kResultNames, code); }
const char* StatusCodeName(int32_t status) { return Lookup(kStatusNames, status); }

}  // namespace unzip

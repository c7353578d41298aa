// Writing archive members to files.
//
// ExtractMember writes one member, found by its local header, to an output path: it
// creates the folders on the way, decodes the member, checks its CRC-32 and gives the
// file the member's date and time. A member that fails leaves no output file; a member
// written over an existing file goes to a temporary file first and replaces the old one
// only once its CRC matched, so a failure leaves the old file as it was.
//
// ExtractArchive walks the central directory and extracts every member whose stored name
// matches the file pattern into the target folder, reporting each step (ZipCodes.h
// lists the statuses) and asking the query procedure before a file is overwritten.
#pragma once

#include <cstdint>
#include <string>

#include "unzip/ExtractReport.h"
#include "unzip/UnzipHooks.h"

namespace unzip {

// What the central directory says of a member's sizes. A member whose sizes follow its
// data (flag bit 3) takes them from here: a stored member to know where it ends, every
// member to bound its output.
struct CentralSizes {
    uint32_t compressedSize;
    uint32_t uncompressedSize;
};

// Result code of the member; 1 for a malformed dynamic deflate block header. The notify
// window (or, without one, the notify id as a virtual key) stops the extraction. A member
// never writes more than its declared size: past it, it fails with -4. An output path
// that is the archive itself is refused with -2.
int32_t ExtractMember(const std::string& archivePath, const std::string& outputPath,
                      int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId);
int32_t ExtractMember(const std::string& archivePath, const std::string& outputPath,
                      int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId,
                      const CentralSizes& central);

// The number of members extracted or skipped on the query's answer, or -12 (not an
// archive), -100 (a serious error stopped the walk), -500 (path or folder missing),
// -11 (the directory is damaged: after the members that could be read), -8 (another
// extraction is running: nothing is touched, not even the report record).
int32_t ExtractArchive(const std::string& archivePath, const std::string& targetFolder,
                       const std::string& spec, const ExtractReportProc& reportProc,
                       const OverwriteQueryProc& queryProc);

}  // namespace unzip

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

// Result code of the member; 1 for a malformed dynamic deflate block header. The notify
// window (or, without one, the notify id as a virtual key) stops the extraction.
int32_t ExtractMember(const std::string& archivePath, const std::string& outputPath,
                      int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId);

// The number of members extracted or skipped on the query's answer, or -12 (not an
// archive), -100 (a serious error stopped the walk), -500 (path or folder missing).
int32_t ExtractArchive(const std::string& archivePath, const std::string& targetFolder,
                       const std::string& spec, const ExtractReportProc& reportProc,
                       const OverwriteQueryProc& queryProc);

}  // namespace unzip

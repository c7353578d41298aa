// Questions about an archive as a whole: does a file look like one, what does it hold
// (listing through a report procedure), and how big are its members together.
#pragma once

#include <cstdint>
#include <string>

#include "unzip/ExtractReport.h"

namespace unzip {

// True for a path that has a ".", does not contain ".exe" (lower case: the installer's
// own executables are never archives), is not a folder, and names a file that opens and
// begins with a local header signature.
bool LooksLikeZip(const std::string& path);

// Calls `proc` with 0 for every entry matching `spec` (the report record filled with the
// stored name, sizes, method, attributes and ratio), then once with the count and the
// totals. Returns the count, -500 without a path or procedure, -12 for a non-archive,
// -11 when the directory is damaged (after the entries that could be read).
int32_t ListArchive(const std::string& archivePath, const std::string& spec,
                    const ExtractReportProc& proc);

// The sum of the uncompressed sizes of all entries; `compressedTotal` gets the sum of the
// compressed sizes. A file that is not an archive measures as its own size (both
// results), a file that cannot be opened as 0.
int32_t MeasureArchive(const std::string& archivePath, int32_t* compressedTotal);

}  // namespace unzip

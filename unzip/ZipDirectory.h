// Walking the central directory of an archive. The directory is read into memory in one
// piece when it (with the end record's signature) is shorter than 64,000 bytes; longer
// directories are walked through a 64,000-byte window that refills from the still-open
// archive, so memory stays the same whatever the archive's size. An entry longer than
// the window (a large extra field) grows the window for as long as it needs.
//
// The cursor also tells, once the walk has ended, whether it ended where the end record
// said the directory ends, after as many entries as the end record counts: a walk that
// stopped anywhere else met a damaged directory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "unzip/ExtractReport.h"

namespace unzip {

constexpr uint16_t kDirectoryWindow = 64000;  // BufferSize in the refilling mode
constexpr int kStoredNameSize = 260;          // 259 characters and the NUL

struct ZipDirCursor {
    std::unique_ptr<uint8_t[]> Buffer;  // directory bytes; null while the walk is closed
    uint16_t BufferSize = 0;            // bytes the buffer holds; 64,000 marks refilling
    uint32_t Position = 0;              // offset of the next central header in Buffer
    uint32_t Time = 0;                  // DOS time (low word) and date (high word)
    int32_t Size = 0;                   // uncompressed size of the current entry
    int32_t CompressSize = 0;
    int32_t HeaderOffset = 0;           // where the entry's local header starts
    char FileName[kStoredNameSize] = {};  // stored name, "/" turned into "\", at most 259
    uint16_t PackMethod = 0;
    uint8_t Attr = 0;                   // external attributes' low byte for MS-DOS hosts
    bool NameWasCut = false;            // the stored name did not fit FileName
    bool NameIsUtf8 = false;            // flag bit 11: the name is UTF-8, not the DOS code page

    // Refilling mode: the archive stays open, and a short read at the end of the file
    // leaves fewer valid bytes than BufferSize.
    std::unique_ptr<plat::File> Archive;
    uint32_t ValidBytes = 0;
    uint32_t Capacity = 0;    // bytes allocated for Buffer (less the terminating one)
    int64_t BufferOrigin = 0; // where Buffer[0] lies in the archive

    // How the walk went; kept when the cursor closes.
    int64_t EndRecordAt = 0;     // where the end record starts
    uint16_t DeclaredEntries = 0;  // the end record's count of entries
    uint32_t EntriesRead = 0;
    bool ReachedEnd = false;     // the walk met the end record where it lies

    ZipDirCursor() = default;
    ZipDirCursor(const ZipDirCursor&) = delete;
    ZipDirCursor& operator=(const ZipDirCursor&) = delete;
    ~ZipDirCursor();

    bool IsOpen() const { return Buffer != nullptr; }
    // After the walk: it ended at the end record, having read every entry it counts.
    bool WalkComplete() const { return ReachedEnd && EntriesRead >= DeclaredEntries; }
};

// 0 with the first entry in the cursor; -9 when the end record lies too near the start for
// any directory, -10 when the directory holds no readable entry, -11 when the archive
// cannot be opened or read or has no end record. On failure the cursor is closed.
int32_t OpenZipDir(const std::string& archivePath, ZipDirCursor& cursor);
// 0 with the next entry; -10 at the end of the directory (the cursor is then closed).
int32_t NextZipDirEntry(ZipDirCursor& cursor);
// Releases the buffer and the archive; harmless on a closed cursor.
void CloseZipDir(ZipDirCursor& cursor);

// Where the end record starts, searched from the end of the file in 4,096-byte blocks
// that overlap by 22 bytes; -1 when the file has none or cannot be read.
int64_t FindEndRecord(plat::File& archive);

// The report's fields for one directory entry, under the given name (the stored name
// when listing, the output path when extracting).
void FillReportFromEntry(ExtractReport& report, const ZipDirCursor& entry, std::string_view name);

}  // namespace unzip

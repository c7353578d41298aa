// Walking the central directory of an archive. The directory is read into memory in one
// piece when it (with the end record's signature) is shorter than 64,000 bytes; longer
// directories are walked through a 64,000-byte window that refills from the still-open
// archive, so memory stays the same whatever the archive's size.
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
    uint16_t Position = 0;              // offset of the next central header in Buffer
    uint32_t Time = 0;                  // DOS time (low word) and date (high word)
    int32_t Size = 0;                   // uncompressed size of the current entry
    int32_t CompressSize = 0;
    int32_t HeaderOffset = 0;           // where the entry's local header starts
    char FileName[kStoredNameSize] = {};  // stored name, "/" turned into "\", at most 259
    uint16_t PackMethod = 0;
    uint8_t Attr = 0;                   // external attributes' low byte for MS-DOS hosts
    bool NameWasCut = false;            // the stored name did not fit FileName

    // Refilling mode: the archive stays open, and a short read at the end of the file
    // leaves fewer valid bytes than BufferSize.
    std::unique_ptr<plat::File> Archive;
    uint32_t ValidBytes = 0;

    ZipDirCursor() = default;
    ZipDirCursor(const ZipDirCursor&) = delete;
    ZipDirCursor& operator=(const ZipDirCursor&) = delete;
    ~ZipDirCursor();

    bool IsOpen() const { return Buffer != nullptr; }
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

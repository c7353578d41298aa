#include "unzip/ZipDirectory.h"

#include <algorithm>
#include <cstring>

#include "unzip/ByteOrder.h"
#include "unzip/ZipCodes.h"

namespace unzip {

namespace {

constexpr int64_t kSearchBlock = 4096;
constexpr int64_t kEndRecordSize = 22;
constexpr int64_t kCentralHeaderSize = 46;
constexpr int64_t kMinimumDirectoryStart = 46;

// Fields of a central header.
constexpr int kHostSystem = 5;
constexpr int kMethod = 10;
constexpr int kDosTime = 12;
constexpr int kCompressedSize = 20;
constexpr int kUncompressedSize = 24;
constexpr int kNameLength = 28;
constexpr int kExtraLength = 30;
constexpr int kCommentLength = 32;
constexpr int kExternalAttributes = 38;
constexpr int kLocalHeaderOffset = 42;
constexpr int kEndRecordDirectoryOffset = 16;

constexpr int kFlags = 8;
constexpr int kEndRecordEntryCount = 10;
constexpr uint16_t kFlagUtf8Name = 0x0800;

bool IsRefilling(const ZipDirCursor& cursor) { return cursor.Archive != nullptr; }

uint32_t WholeLength(const uint8_t* header) {
    return uint32_t(kCentralHeaderSize) + Little16(header + kNameLength) +
           Little16(header + kExtraLength) + Little16(header + kCommentLength);
}

// Slides the unread bytes to the front, grows the window when `wanted` bytes would not fit,
// and fills the rest from the archive.
bool Refill(ZipDirCursor& cursor, uint32_t wanted) {
    const uint32_t unread = cursor.ValidBytes - cursor.Position;
    if (wanted > cursor.Capacity) {
        std::unique_ptr<uint8_t[]> grown(new uint8_t[wanted + 1]);
        std::memcpy(grown.get(), cursor.Buffer.get() + cursor.Position, unread);
        cursor.Buffer = std::move(grown);
        cursor.Capacity = wanted;
    } else {
        std::memmove(cursor.Buffer.get(), cursor.Buffer.get() + cursor.Position, unread);
    }
    const int64_t got = cursor.Archive->Read(cursor.Buffer.get() + unread, cursor.Capacity - unread);
    if (got < 0) return false;
    cursor.BufferOrigin += cursor.Position;
    cursor.ValidBytes = unread + uint32_t(got);
    cursor.Buffer[cursor.ValidBytes] = 0;
    cursor.Position = 0;
    return true;
}

// Refilling mode: makes the whole entry at Position readable, as far as the archive has it.
bool BringInEntry(ZipDirCursor& cursor) {
    if (!IsRefilling(cursor)) return true;
    for (;;) {
        const uint32_t unread = cursor.ValidBytes - cursor.Position;
        const uint32_t wanted = unread >= kCentralHeaderSize
                                    ? WholeLength(cursor.Buffer.get() + cursor.Position)
                                    : uint32_t(kCentralHeaderSize);
        if (unread >= wanted) return true;
        const uint32_t before = cursor.ValidBytes;
        const int64_t originBefore = cursor.BufferOrigin;
        if (!Refill(cursor, wanted)) return false;
        // Nothing more came from the archive: the entry stays short.
        if (cursor.BufferOrigin + cursor.ValidBytes == originBefore + before) return true;
    }
}

// The stored name as this program's paths spell it: the DOS code page converted unless
// the entry says it is UTF-8, "/" turned into "\", cut to what FileName holds.
void TakeName(ZipDirCursor& cursor, const uint8_t* header) {
    const uint16_t nameLength = Little16(header + kNameLength);
    const char* raw = reinterpret_cast<const char*>(header + kCentralHeaderSize);
    cursor.NameIsUtf8 = (Little16(header + kFlags) & kFlagUtf8Name) != 0;
    std::string name(raw, nameLength);
    if (!cursor.NameIsUtf8) name = plat::Current().OemToUtf8(name);
    const size_t kept = std::min<size_t>(name.size(), kStoredNameSize - 1);
    std::memcpy(cursor.FileName, name.data(), kept);
    cursor.FileName[kept] = '\0';
    std::replace(cursor.FileName, cursor.FileName + kept, '/', '\\');
    cursor.NameWasCut = kept < name.size();
}

int32_t ParseEntry(ZipDirCursor& cursor) {
    if (!BringInEntry(cursor)) return ZipNoMoreEntries;

    const uint32_t position = cursor.Position;
    const uint8_t* header = cursor.Buffer.get() + position;
    const uint32_t remaining = cursor.ValidBytes - position;
    if (remaining >= 4 && Little32(header) == kEndRecordSignature) {
        cursor.ReachedEnd = cursor.BufferOrigin + position == cursor.EndRecordAt;
        return ZipNoMoreEntries;
    }
    if (remaining < kCentralHeaderSize || Little32(header) != kCentralHeaderSignature)
        return ZipNoMoreEntries;
    const uint32_t whole = WholeLength(header);
    if (whole > remaining) return ZipNoMoreEntries;

    cursor.Time = Little32(header + kDosTime);
    cursor.Size = int32_t(Little32(header + kUncompressedSize));
    cursor.CompressSize = int32_t(Little32(header + kCompressedSize));
    cursor.HeaderOffset = int32_t(Little32(header + kLocalHeaderOffset));
    cursor.PackMethod = Little16(header + kMethod);
    cursor.Attr = header[kHostSystem] == 0 ? header[kExternalAttributes] : 0;
    TakeName(cursor, header);

    cursor.Position = position + whole;
    ++cursor.EntriesRead;
    return ZipOk;
}

int32_t LoadDirectory(std::unique_ptr<plat::File> archive, int64_t endRecord,
                      ZipDirCursor& cursor) {
    if (endRecord < kMinimumDirectoryStart) return ZipBadDirectory;
    uint8_t record[kEndRecordSize];
    if (!archive->Seek(endRecord) || archive->Read(record, kEndRecordSize) != kEndRecordSize)
        return ZipArchiveError;
    cursor.EndRecordAt = endRecord;
    cursor.DeclaredEntries = Little16(record + kEndRecordEntryCount);

    const int64_t directoryStart = Little32(record + kEndRecordDirectoryOffset);
    const int64_t length = endRecord - directoryStart + 4;
    // A directory said to start after its own end record cannot be read.
    if (length <= 0) return ZipArchiveError;

    const bool refilling = length >= kDirectoryWindow;
    const uint32_t wanted = refilling ? kDirectoryWindow : uint32_t(length);
    cursor.Buffer.reset(new uint8_t[wanted + 1]);
    if (!archive->Seek(directoryStart) || archive->Read(cursor.Buffer.get(), wanted) != wanted) {
        cursor.Buffer.reset();
        return ZipArchiveError;
    }
    cursor.Buffer[wanted] = 0;
    cursor.BufferSize = uint16_t(wanted);
    cursor.Capacity = wanted;
    cursor.ValidBytes = wanted;
    cursor.BufferOrigin = directoryStart;
    cursor.Position = 0;
    if (refilling) cursor.Archive = std::move(archive);
    return ZipOk;
}

}  // namespace

ZipDirCursor::~ZipDirCursor() { CloseZipDir(*this); }

int64_t FindEndRecord(plat::File& archive) {
    const int64_t fileSize = archive.Size();
    if (fileSize <= 0) return -1;
    const int64_t block = std::min(kSearchBlock, fileSize);
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[block]);
    int64_t start = fileSize - block;
    for (;;) {
        if (!archive.Seek(start) || archive.Read(buffer.get(), block) != block) return -1;
        for (int64_t offset = block - kEndRecordSize; offset >= 0; --offset)
            if (Little32(buffer.get() + offset) == kEndRecordSignature) return start + offset;
        if (start == 0) return -1;
        start = std::max<int64_t>(0, start - (block - kEndRecordSize));
    }
}

int32_t OpenZipDir(const std::string& archivePath, ZipDirCursor& cursor) {
    CloseZipDir(cursor);
    cursor.EndRecordAt = 0;
    cursor.DeclaredEntries = 0;
    cursor.EntriesRead = 0;
    cursor.ReachedEnd = false;
    std::unique_ptr<plat::File> archive = plat::Current().Open(archivePath, plat::OpenMode::Read);
    if (!archive) return ZipArchiveError;
    const int64_t endRecord = FindEndRecord(*archive);
    if (endRecord < 0) return ZipArchiveError;

    int32_t result = LoadDirectory(std::move(archive), endRecord, cursor);
    if (result == ZipOk) result = ParseEntry(cursor);
    if (result != ZipOk) CloseZipDir(cursor);
    return result;
}

int32_t NextZipDirEntry(ZipDirCursor& cursor) {
    if (!cursor.IsOpen()) return ZipNoMoreEntries;
    const int32_t result = ParseEntry(cursor);
    if (result != ZipOk) CloseZipDir(cursor);
    return result;
}

void CloseZipDir(ZipDirCursor& cursor) {
    cursor.Buffer.reset();
    cursor.Archive.reset();
    cursor.ValidBytes = 0;
    cursor.Capacity = 0;
}

void FillReportFromEntry(ExtractReport& report, const ZipDirCursor& entry, std::string_view name) {
    report.Time = int32_t(entry.Time);
    report.Size = entry.Size;
    report.CompressSize = entry.CompressSize;
    SetReportName(report, name);
    report.PackMethod = entry.PackMethod;
    report.Attributes = entry.Attr;
    report.Ratio = CompressionRatio(entry.CompressSize, entry.Size);
}

}  // namespace unzip

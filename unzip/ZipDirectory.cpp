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

bool IsRefilling(const ZipDirCursor& cursor) {
    return cursor.BufferSize == kDirectoryWindow && cursor.Archive != nullptr;
}

uint32_t WholeLength(const uint8_t* header) {
    return uint32_t(kCentralHeaderSize) + Little16(header + kNameLength) +
           Little16(header + kExtraLength) + Little16(header + kCommentLength);
}

// Slides the unread bytes to the front and fills the rest of the window from the archive.
bool Refill(ZipDirCursor& cursor) {
    uint32_t unread = cursor.ValidBytes - cursor.Position;
    std::memmove(cursor.Buffer.get(), cursor.Buffer.get() + cursor.Position, unread);
    int64_t got = cursor.Archive->Read(cursor.Buffer.get() + unread, cursor.Position);
    if (got < 0) return false;
    cursor.ValidBytes = unread + uint32_t(got);
    cursor.Position = 0;
    return true;
}

bool NeedsRefill(const ZipDirCursor& cursor) {
    const uint32_t position = cursor.Position;
    if (position + kCentralHeaderSize > cursor.BufferSize) return true;
    if (position + kCentralHeaderSize > cursor.ValidBytes) return false;  // nothing more to read
    return position + WholeLength(cursor.Buffer.get() + position) > cursor.BufferSize;
}

int32_t ParseEntry(ZipDirCursor& cursor) {
    if (IsRefilling(cursor) && cursor.Position > 0 && NeedsRefill(cursor) && !Refill(cursor))
        return ZipNoMoreEntries;

    const uint32_t position = cursor.Position;
    const uint8_t* header = cursor.Buffer.get() + position;
    const uint32_t remaining = cursor.ValidBytes - position;
    if (remaining >= 4 && Little32(header) == kEndRecordSignature) return ZipNoMoreEntries;
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

    const uint16_t nameLength = Little16(header + kNameLength);
    const size_t kept = std::min<size_t>(nameLength, kStoredNameSize - 1);
    std::memcpy(cursor.FileName, header + kCentralHeaderSize, kept);
    cursor.FileName[kept] = '\0';
    std::replace(cursor.FileName, cursor.FileName + kept, '/', '\\');
    cursor.NameWasCut = kept < nameLength;

    cursor.Position = uint16_t(position + whole);
    return ZipOk;
}

int32_t LoadDirectory(std::unique_ptr<plat::File> archive, int64_t endRecord,
                      ZipDirCursor& cursor) {
    if (endRecord < kMinimumDirectoryStart) return ZipBadDirectory;
    uint8_t offsetField[4];
    if (!archive->Seek(endRecord + kEndRecordDirectoryOffset) ||
        archive->Read(offsetField, 4) != 4)
        return ZipArchiveError;

    const int64_t directoryStart = Little32(offsetField);
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
    cursor.ValidBytes = wanted;
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

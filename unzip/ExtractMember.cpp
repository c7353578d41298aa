#include <memory>

#include "platform/Platform.h"
#include "unzip/BitSources.h"
#include "unzip/ByteOrder.h"
#include "unzip/Decoders.h"
#include "unzip/EngineState.h"
#include "unzip/Extraction.h"
#include "unzip/MemberContext.h"
#include "unzip/OutputPath.h"
#include "unzip/ReadAheadFile.h"
#include "unzip/ZipCodes.h"

namespace unzip {

namespace {

constexpr int64_t kLocalHeaderSize = 30;
// Methods this engine decodes, as a bit mask over the method numbers: 0 stored,
// 1 shrunk, 6 imploded, 8 deflated.
constexpr uint32_t kSupportedMethods = 0x143;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodShrunk = 1;
constexpr uint16_t kMethodImploded = 6;
constexpr uint16_t kMethodDeflated = 8;

struct LocalHeader {
    uint16_t flags;
    uint16_t method;
    uint16_t dosTime;
    uint16_t dosDate;
    uint32_t crc;
    uint32_t compressedSize;
    uint32_t uncompressedSize;
    uint16_t nameLength;
    uint16_t extraLength;
};

LocalHeader ParseLocalHeader(const uint8_t* bytes) {
    return LocalHeader{Little16(bytes + 6),  Little16(bytes + 8),  Little16(bytes + 10),
                       Little16(bytes + 12), Little32(bytes + 14), Little32(bytes + 18),
                       Little32(bytes + 22), Little16(bytes + 26), Little16(bytes + 28)};
}

// Holds the busy flag for the time of one member extraction.
class BusyFlag {
public:
    BusyFlag() = default;
    ~BusyFlag() {
        if (held_) LeaveExtraction();
    }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;
    bool Take() { return held_ = TryEnterExtraction(plat::Current().TickCount()); }

private:
    bool held_ = false;
};

int32_t CopyStored(MemberContext& member) {
    while (member.bytesRead < member.compressedSize && !member.abort) {
        const int64_t chunk = std::min<int64_t>(kWindowSize, member.compressedSize - member.bytesRead);
        if (member.archive->Read(member.window.get(), chunk) != chunk) return ZipReadError;
        if (!FlushWindow(member, uint32_t(chunk))) return ZipWriteError;
        member.bytesRead += chunk;
        PumpMessages(member);
        CheckProgress(member);
    }
    return member.abort ? ZipUserAbort : ZipOk;
}

int32_t Decode(MemberContext& member, uint16_t method) {
    switch (method) {
        case kMethodStored: return CopyStored(member);
        case kMethodShrunk: return Unshrink(member);
        case kMethodImploded: return Explode(member);
        case kMethodDeflated: return Inflate(member);
        default: return ZipUnsupported;
    }
}

// The CRC of a member whose sizes follow its data: the four bytes after the compressed
// data, or after the data descriptor's signature when they are that signature.
uint32_t ReadTrailingCrc(MemberContext& member) {
    auto take32 = [&member] {
        const uint32_t low = TakeBits(member, 16);
        const uint32_t high = TakeBits(member, 16);
        return high << 16 | low;
    };
    DumpBits(member, member.bitCount & 7);
    const uint32_t crc = take32();
    return crc == kDataDescriptorSignature ? take32() : crc;
}

}  // namespace

int32_t ExtractMember(const std::string& archivePath, const std::string& outputPath,
                      int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId) {
    plat::Platform& platform = plat::Current();
    BusyFlag busy;
    if (!busy.Take()) return ZipBusy;
    MemberContext member;

    std::unique_ptr<plat::File> archive = platform.Open(archivePath, plat::OpenMode::Read);
    if (!archive) return ZipReadError;
    archive = std::make_unique<ReadAheadFile>(std::move(archive));
    const int64_t headerStart = uint32_t(headerOffset);
    uint8_t headerBytes[kLocalHeaderSize];
    if (!archive->Seek(headerStart) ||
        archive->Read(headerBytes, kLocalHeaderSize) != kLocalHeaderSize ||
        Little32(headerBytes) != kLocalHeaderSignature)
        return ZipDataError;
    const LocalHeader header = ParseLocalHeader(headerBytes);
    const int64_t dataStart =
        headerStart + kLocalHeaderSize + header.nameLength + header.extraLength;

    uint32_t expectedCrc = header.crc;
    member.compressedSize = header.compressedSize;
    member.uncompressedSize = header.uncompressedSize;
    if (header.flags & kFlagDataDescriptor) {
        member.compressedSize = member.uncompressedSize = kUnknownSize;
        expectedCrc = 0;
    }
    if (header.method > 31 || !((kSupportedMethods >> header.method) & 1)) return ZipUnsupported;
    member.flags = header.flags;
    if (header.flags & kFlagEncrypted) return ZipEncrypted;
    if (!archive->Seek(dataStart)) return ZipReadError;

    if (IsFolderEntry(outputPath)) return CreateFoldersFor(outputPath) ? ZipOk : ZipWriteError;

    // A member over an existing file is written beside it first.
    const bool replacing = platform.FileExists(outputPath);
    const std::string writtenPath = replacing ? TemporarySibling(outputPath) : outputPath;
    if (writtenPath.empty()) return ZipWriteError;
    std::unique_ptr<plat::File> output = platform.Open(writtenPath, plat::OpenMode::Create);
    if (!output) {
        CreateFoldersFor(writtenPath);
        output = platform.Open(writtenPath, plat::OpenMode::Create);
    }
    if (!output) return ZipWriteError;

    member.archive = archive.get();
    member.output = output.get();
    member.abort = member.endOfInput = false;
    member.notifyWindow = notifyWindow;
    member.notifyId = notifyId;
    PumpMessages(member);
    member.lastPercent = 0;
    member.crc = 0xFFFFFFFFu;

    int32_t result = Decode(member, header.method);
    if (result == ZipOk && (header.flags & kFlagDataDescriptor))
        expectedCrc = ReadTrailingCrc(member);

    member.archive = member.output = nullptr;
    archive.reset();
    output.reset();
    const uint32_t finalCrc = ~member.crc;

    if (result == ZipOk && finalCrc != expectedCrc) result = ZipCrcError;
    if (result == ZipOk && replacing && !platform.RenameFile(writtenPath, outputPath, true))
        result = ZipWriteError;
    if (result != ZipOk) {
        platform.RemoveFile(writtenPath);
        return result;
    }

    member.lastPercent = 100;
    if (notifyWindow != 0) {
        uint16_t percent = 100;
        CurrentUnzipHooks().notifyProgress(notifyWindow, notifyId, &percent);
    }
    platform.SetFileDosTime(outputPath, header.dosDate, header.dosTime);
    return ZipOk;
}

}  // namespace unzip

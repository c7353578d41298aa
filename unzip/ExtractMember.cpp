#include <memory>

#include "platform/Platform.h"
#include "unzip/BitSources.h"
#include "unzip/ByteOrder.h"
#include "unzip/Decoders.h"
#include "unzip/EngineState.h"
#include "unzip/Extraction.h"
#include "unzip/MemberContext.h"
#include "unzip/MemberWriter.h"
#include "unzip/OutputPath.h"
#include "unzip/ReadAheadFile.h"
#include "unzip/WriteBehindFile.h"
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

// Opens the file the member is decoded into, never through a link: the output path itself
// when it names nothing yet (created exclusively), otherwise (an existing file, or a link)
// a new file beside it that replaces it only once complete. `written` names the file.
std::unique_ptr<plat::File> OpenMemberOutput(const std::string& outputPath, std::string& written) {
    plat::Platform& platform = plat::Current();
    written = outputPath;
    std::unique_ptr<plat::File> output = platform.Open(outputPath, plat::OpenMode::CreateNew);
    if (output) return output;
    if (!platform.FileExists(outputPath) && CreateFoldersFor(outputPath)) {
        output = platform.Open(outputPath, plat::OpenMode::CreateNew);
        if (output) return output;
    }
    return CreateTemporarySibling(outputPath, written);
}

// Decodes the member, checks it and gives it the member's time through the handle that
// wrote it; a failure leaves whatever was there before.
int32_t DecodeIntoPlace(MemberContext& member, const LocalHeader& header,
                        plat::File& archive, const std::string& outputPath,
                        uint32_t expectedCrc) {
    plat::Platform& platform = plat::Current();
    std::string writtenPath;
    std::unique_ptr<plat::File> opened = OpenMemberOutput(outputPath, writtenPath);
    if (!opened) return ZipWriteError;
    auto output = std::make_unique<WriteBehindFile>(std::move(opened));

    member.archive = &archive;
    member.output = output.get();
    int32_t result = Decode(member, header.method);
    if (!output->Flush() && result == ZipOk) result = ZipWriteError;
    if (member.overran) result = ZipDataError;
    if (result == ZipOk && (header.flags & kFlagDataDescriptor))
        expectedCrc = ReadTrailingCrc(member);
    member.archive = member.output = nullptr;
    if (result == ZipOk && ~member.crc != expectedCrc) result = ZipCrcError;
    if (result == ZipOk) output->SetDosTime(header.dosDate, header.dosTime);
    output.reset();

    if (result == ZipOk && writtenPath != outputPath &&
        !platform.RenameFile(writtenPath, outputPath, true))
        result = ZipWriteError;
    if (result != ZipOk) platform.RemoveFile(writtenPath);
    return result;
}

}  // namespace

std::unique_ptr<plat::File> OpenArchiveForMembers(const std::string& archivePath) {
    std::unique_ptr<plat::File> archive = plat::Current().Open(archivePath, plat::OpenMode::Read);
    if (!archive) return nullptr;
    return std::make_unique<ReadAheadFile>(std::move(archive));
}

int32_t WriteMember(const std::string& archivePath, plat::File* archive,
                    const std::string& outputPath, int32_t headerOffset,
                    NotifyWindow notifyWindow, int32_t notifyId, const CentralSizes* central) {
    MemberContext member;

    std::unique_ptr<plat::File> opened;
    if (!archive) {
        opened = OpenArchiveForMembers(archivePath);
        if (!opened) return ZipReadError;
        archive = opened.get();
    }
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
    member.outputLimit = header.uncompressedSize;
    if (header.flags & kFlagDataDescriptor) {
        member.compressedSize = member.uncompressedSize = kUnknownSize;
        member.outputLimit = central ? int64_t(central->uncompressedSize) : kNoOutputLimit;
        expectedCrc = 0;
        // A stored member has no end of its own; compressed members find theirs.
        if (central && header.method == kMethodStored) {
            member.compressedSize = central->compressedSize;
            member.uncompressedSize = central->uncompressedSize;
        }
    }
    if (header.method > 31 || !((kSupportedMethods >> header.method) & 1)) return ZipUnsupported;
    member.flags = header.flags;
    if (header.flags & kFlagEncrypted) return ZipEncrypted;
    if (!archive->Seek(dataStart)) return ZipReadError;

    // The archive being read must survive its own members.
    if (NamesSameFile(outputPath, archivePath)) return ZipWriteError;
    if (IsFolderEntry(outputPath)) return CreateFoldersFor(outputPath) ? ZipOk : ZipWriteError;

    member.abort = member.endOfInput = false;
    member.notifyWindow = notifyWindow;
    member.notifyId = notifyId;
    PumpMessages(member);
    member.lastPercent = 0;
    member.crc = 0xFFFFFFFFu;

    const int32_t result = DecodeIntoPlace(member, header, *archive, outputPath, expectedCrc);
    if (result != ZipOk) return result;

    member.lastPercent = 100;
    if (notifyWindow != 0) {
        uint16_t percent = 100;
        CurrentUnzipHooks().notifyProgress(notifyWindow, notifyId, &percent);
    }
    return ZipOk;
}

int32_t ExtractMember(const std::string& archivePath, const std::string& outputPath,
                      int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId) {
    BusyFlag busy;
    if (!busy.Take()) return ZipBusy;
    return WriteMember(archivePath, nullptr, outputPath, headerOffset, notifyWindow, notifyId,
                       nullptr);
}

int32_t ExtractMember(const std::string& archivePath, const std::string& outputPath,
                      int32_t headerOffset, NotifyWindow notifyWindow, int32_t notifyId,
                      const CentralSizes& central) {
    BusyFlag busy;
    if (!busy.Take()) return ZipBusy;
    return WriteMember(archivePath, nullptr, outputPath, headerOffset, notifyWindow, notifyId,
                       &central);
}

}  // namespace unzip

#include "unzip/MemberContext.h"

#include <algorithm>
#include <cstring>

#include "unzip/Crc32.h"
#include "unzip/EngineState.h"
#include "unzip/ExtractReport.h"
#include "unzip/ZipCodes.h"

namespace unzip {

const uint32_t kBitMask[17] = {0x0000, 0x0001, 0x0003, 0x0007, 0x000F, 0x001F,
                               0x003F, 0x007F, 0x00FF, 0x01FF, 0x03FF, 0x07FF,
                               0x0FFF, 0x1FFF, 0x3FFF, 0x7FFF, 0xFFFF};

MemberContext::MemberContext() : window(new uint8_t[kWindowSize + kWindowSlack]()) {}

void RefillInput(MemberContext& member) {
    // Input is read in whole blocks past the member's end; a sound stream never uses
    // those bytes. Once well past the end, or when the archive has no more, the same
    // block is presented again and the end-of-input flag tells the decoder to stop.
    if (member.bytesRead > member.compressedSize + 2) {
        member.endOfInput = true;
        member.inputLast = kInputSize - 1;
        member.inputPosition = 0;
        return;
    }
    PumpMessages(member);
    CheckProgress(member);
    int64_t count = member.archive ? member.archive->Read(member.input, kInputSize) : -1;
    if (count <= 0) {
        member.endOfInput = true;
        count = kInputSize;
    }
    member.bytesRead += count;
    member.inputLast = int32_t(count) - 1;
    member.inputPosition = 0;
}

bool WriteOutput(MemberContext& member, const uint8_t* data, uint32_t count) {
    if (count > member.outputLimit - member.written) {
        member.overran = true;
        return false;
    }
    member.written += count;
    const bool written =
        member.output != nullptr && member.output->Write(data, count) == int64_t(count);
    member.crc = UpdateCrc32(member.crc, data, count);
    if (written) {
        TheReport().Status = StatusBytesWritten;
        Report(int32_t(count));
    }
    return written;
}

bool FlushWindow(MemberContext& member, uint32_t count) {
    return WriteOutput(member, member.window.get(), count);
}

void PumpMessages(MemberContext& member) {
    EngineBusyState().lastPumpTime = plat::Current().TickCount();
    CurrentUnzipHooks().pumpMessages(member.notifyWindow);
}

void CheckProgress(MemberContext& member) {
    if (member.compressedSize == 0) return;
    const int64_t percent =
        std::min<int64_t>(member.bytesRead * 100 / member.compressedSize, 100);
    if (percent == member.lastPercent) return;
    member.lastPercent = uint16_t(percent);
    if (member.notifyWindow != 0) {
        uint16_t answer = uint16_t(percent);
        CurrentUnzipHooks().notifyProgress(member.notifyWindow, member.notifyId, &answer);
        if (answer == kAbortPercent) member.abort = true;
    } else if (member.notifyId != 0) {
        if (CurrentUnzipHooks().isKeyDown(member.notifyId)) member.abort = true;
    }
}

}  // namespace unzip

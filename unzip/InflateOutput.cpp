#include "unzip/InflateOutput.h"

#include <cstring>

namespace unzip {

InflateOutput::InflateOutput() : bytes_(new uint8_t[kRoomEnd + kStepRoom]) {
    std::memset(bytes_.get(), 0, kHistory);
}

bool InflateOutput::WriteComplete(MemberContext& member) {
    while (position - unwritten_ >= kWindowSize) {
        if (!WriteOutput(member, bytes_.get() + unwritten_, kWindowSize)) return false;
        unwritten_ += kWindowSize;
    }
    if (Boundary() > kRoomEnd) {
        // Keep the last 32,768 bytes, which hold the unwritten rest as well.
        const uint32_t keepFrom = position - kHistory;
        std::memmove(bytes_.get(), bytes_.get() + keepFrom, kHistory);
        unwritten_ -= keepFrom;
        position = kHistory;
    }
    return true;
}

bool InflateOutput::WriteRest(MemberContext& member) {
    return WriteOutput(member, bytes_.get() + unwritten_, position - unwritten_);
}

}  // namespace unzip

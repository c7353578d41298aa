// Inflate's output: one straight buffer that holds the 32,768 bytes before the current
// position (the history that matches reach back into) and room for eight windows of new
// output after them, so that a match never wraps around and the decoder may write a few
// bytes past the end of a step. Output still leaves in the same 32,768-byte writes, each
// as soon as its last byte is decoded; when the room is used up, the history moves back
// to the front. The history starts as zeros: a distance reaching before the member's
// first byte reads zeros.
#pragma once

#include <cstdint>
#include <memory>

#include "unzip/MemberContext.h"

namespace unzip {

class InflateOutput {
public:
    static constexpr uint32_t kHistory = kWindowSize;
    // Bytes a decoding step may write past the write boundary it started before: the
    // longest match after a few literals, and a sixteen-byte overrun of the wide copies.
    static constexpr uint32_t kStepRoom = 512;

    InflateOutput();

    uint8_t* Bytes() { return bytes_.get(); }
    // The next byte to decode goes here; everything before it is history.
    uint32_t position = kHistory;
    // Where the window being filled is complete: a step that reaches it is followed by
    // WriteComplete before anything else happens.
    uint32_t Boundary() const { return unwritten_ + kWindowSize; }

    // Writes every complete window (32,768 bytes each, through WriteOutput) and makes
    // room for the next; false when a write failed.
    bool WriteComplete(MemberContext& member);
    // Writes what is left at the member's end (possibly nothing, as one write).
    bool WriteRest(MemberContext& member);

private:
    static constexpr uint32_t kRoomEnd = kHistory + 8 * kWindowSize;
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t unwritten_ = kHistory;  // the first byte not written out yet
};

}  // namespace unzip

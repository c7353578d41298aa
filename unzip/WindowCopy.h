// Copying a match inside the 32,768-byte output window. The source is taken modulo the
// window size and the copy goes in runs that stop at the end of the window; a run whose
// source lies at least its own length behind the destination moves in one piece, an
// overlapping one repeats its pattern exactly as a byte-by-byte copy would. The window
// is written out whenever it fills.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "unzip/MemberContext.h"

namespace unzip {

// Copies `length` bytes from `distance` bytes back within one run (no window end in it).
inline void CopyRun(uint8_t* window, uint32_t destination, uint32_t source, uint32_t length) {
    uint8_t* to = window + destination;
    const uint8_t* from = window + source;
    if (source >= destination || destination - source >= length) {
        std::memmove(to, from, length);
        return;
    }
    const uint32_t distance = destination - source;
    if (distance == 1) {
        std::memset(to, *from, length);
    } else if (distance >= 8) {
        // Each eight-byte piece reads only bytes written before it.
        while (length >= 8) {
            std::memcpy(to, from, 8);
            to += 8;
            from += 8;
            length -= 8;
        }
        while (length--) *to++ = *from++;
    } else {
        while (length--) *to++ = *from++;
    }
}

// Called when the window filled up; false when writing it failed.
struct WindowFull {
    MemberContext& member;
    bool operator()() { return FlushWindow(member, kWindowSize); }
};

// Copies a match; `zeroBeforeStart` says that output before the member's start reads as
// zeros (implode before its first window is full). Returns false when a write failed.
template <class OnFull>
inline bool CopyMatch(uint8_t* window, uint32_t& position, uint32_t distance, uint32_t length,
                      bool& zeroBeforeStart, OnFull onFull) {
    uint32_t source = (position - distance) & kWindowMask;
    while (length > 0) {
        const uint32_t run = std::min(length, kWindowSize - std::max(source, position));
        if (zeroBeforeStart && source >= position)
            std::memset(window + position, 0, run);
        else
            CopyRun(window, position, source, run);
        position += run;
        source = (source + run) & kWindowMask;
        length -= run;
        if (position == kWindowSize) {
            if (!onFull()) return false;
            position = 0;
            zeroBeforeStart = false;
        }
    }
    return true;
}

}  // namespace unzip

// The stretches of an archive that the members of one walk have claimed, each from its
// local header to the end of its compressed data. An entry whose stretch overlaps one
// already claimed (several entries pointing at one local header, or into another
// member's data) would decode the same bytes again: a few kilobytes could then fill a
// disk. Sound archives never overlap.
#pragma once

#include <cstdint>
#include <map>

namespace unzip {

class MemberSpans {
public:
    // True when [start, start + length) overlaps nothing claimed before; it is claimed.
    bool Claim(uint32_t start, uint64_t length);

private:
    std::map<uint64_t, uint64_t> spans_;  // start -> end
};

}  // namespace unzip

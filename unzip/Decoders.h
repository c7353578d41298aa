// The decoders of the compressed methods. Each runs inside one member extraction on its
// member context (archive positioned at the data, sizes, flags, running CRC) and writes
// every output byte through WriteOutput/FlushWindow. Results are the engine's codes:
// 0, -2 (a write failed), -3 (input ended), -4 (invalid data), -5 (aborted), -6 (shrunk
// member of unknown size); Inflate can also give 1 for a malformed dynamic block header
// and 3 when memory ran out for a fixed block's literal table.
#pragma once

#include <cstdint>

#include "unzip/MemberContext.h"

namespace unzip {

int32_t Inflate(MemberContext& member);   // method 8, RFC 1951
int32_t Explode(MemberContext& member);   // method 6, implode
int32_t Unshrink(MemberContext& member);  // method 1, shrink

}  // namespace unzip

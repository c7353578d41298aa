#include "unzip/MemberSpans.h"

#include <algorithm>

namespace unzip {

bool MemberSpans::Claim(uint32_t start, uint64_t length) {
    const uint64_t from = start, to = from + std::max<uint64_t>(length, 1);
    auto after = spans_.lower_bound(from);
    if (after != spans_.end() && after->first < to) return false;
    if (after != spans_.begin() && std::prev(after)->second > from) return false;
    spans_.emplace(from, to);
    return true;
}

}  // namespace unzip

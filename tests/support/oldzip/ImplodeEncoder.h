// An implode (method 6) encoder written from the ZIP application note, for tests only:
// a 4 KB or 8 KB sliding dictionary whose literals, lengths and distances are coded with
// Shannon-Fano trees sent at the start of the data.
#pragma once

#include <cstdint>
#include <string>

namespace oldzip {

struct ImplodeOptions {
    bool dictionary8K = false;  // general-purpose flag bit 1
    bool literalTree = false;   // flag bit 2: literals coded with a tree, matches from 3 bytes
    // A member that begins with zero bytes starts with a match that reaches before the
    // start of the member (which decoders read as zeros) instead of with literals.
    bool matchBeforeStart = false;
    int maxChainSteps = 64;     // match search effort
};

struct ImplodeResult {
    std::string compressed;
    uint16_t flags = 0;  // the general-purpose flag bits the member needs
    bool usedMatchBeforeStart = false;
    size_t matches = 0;
};

ImplodeResult Implode(const std::string& data, const ImplodeOptions& options = {});

}  // namespace oldzip

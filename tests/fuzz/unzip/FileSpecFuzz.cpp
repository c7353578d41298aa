// MatchFileSpec on an arbitrary pattern and name (split at the first NUL byte); it
// must also agree with itself when both are upper-cased.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Paths.h"
#include "unzip/FileSpec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\0');
    const std::string spec = input.substr(0, cut);
    const std::string name = cut == std::string::npos ? std::string() : input.substr(cut + 1);
    const bool match = unzip::MatchFileSpec(spec, name);
    if (spec != "*.*" && match != unzip::MatchFileSpec(plat::ToUpperAscii(spec), plat::ToUpperAscii(name)))
        std::abort();
    return 0;
}

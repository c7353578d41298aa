// Result codes that the binding itself produces when the engine cannot be reached or
// a request cannot be passed on. Codes the engine returns are passed through untouched.
#pragma once

#include "dbengine/BdeApi.h"

namespace bde {

inline constexpr DBIResult kOk = 0;
inline constexpr DBIResult kLibraryNotFound = 0x2108;      // file, path or module not found
inline constexpr DBIResult kLibraryOutOfMemory = 0x2501;   // not enough memory to load it
inline constexpr DBIResult kLibraryLoadFailed = 0x2109;    // any other load failure
inline constexpr DBIResult kLibraryNotLoadable = 0x210A;   // ordinal operation without a library
inline constexpr DBIResult kNoInitEntry = 0x2A06;          // library lacks DbiInitFn
inline constexpr DBIResult kMissingEntry = 0x274F;         // lacks DbiExit or an ordinal export
// A name or parameter text that does not fit the engine's 256-byte buffers. It is
// refused rather than cut, so that no alias is ever created with a truncated folder.
inline constexpr DBIResult kTextTooLong = 0x2102;
// A text with a letter that the machine's ANSI code page, in which the engine takes its
// texts, cannot hold: refused rather than passed with a '?' in its place.
inline constexpr DBIResult kTextNotInCodePage = 0x2103;

}  // namespace bde

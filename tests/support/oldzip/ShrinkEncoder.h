// A shrink (method 1) encoder written from the ZIP application note, for tests only:
// LZW with codes of 9 to 13 bits, raised by the control sequence 256,1, and the partial
// clear 256,2 that frees every leaf of the tree: every code in use that no other code in
// use extends, wherever it lies in the table. Freed codes (with those still free) are
// handed out again lowest first. The encoder keeps a model of the decoder's table and
// only sends codes that model already holds.
#pragma once

#include <string>

namespace oldzip {

struct ShrinkOptions {
    // Send a partial clear as soon as the table is full. Without it a long member fills
    // the table, which the engine accepts and Info-ZIP does not.
    bool partialClearWhenFull = true;
    // After the code size reached 13 bits, ask for one more size (a broken stream).
    bool askForFourteenBits = false;
    // Also send a partial clear after every this many codes, while codes freed by an
    // earlier clear may still be unused (0: never).
    int clearEvery = 0;
};

struct ShrinkResult {
    std::string compressed;
    int largestCodeSize = 9;
    int partialClears = 0;
};

ShrinkResult Shrink(const std::string& data, const ShrinkOptions& options = {});

}  // namespace oldzip

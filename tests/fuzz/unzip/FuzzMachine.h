// One machine in memory for the whole fuzzing run, set as the current platform.
#pragma once

#include "platform/Platform.h"
#include "tests/fuzz/unzip/MemoryPlatform.h"

namespace unzip_fuzz {

class FuzzMachine {
public:
    static MemoryPlatform& Get() {
        static FuzzMachine machine;
        return machine.platform_;
    }

private:
    FuzzMachine() { plat::SetCurrent(&platform_); }
    ~FuzzMachine() { plat::SetCurrent(nullptr); }
    MemoryPlatform platform_;
};

}  // namespace unzip_fuzz

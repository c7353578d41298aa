// One virtual machine for the whole fuzzing run, in a temporary folder that is removed
// when the process ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/host/HostPlatform.h"

namespace unzip_fuzz {

class FuzzMachine {
public:
    static FuzzMachine& Get() {
        static FuzzMachine machine;
        return machine;
    }
    plat::HostPlatform& Machine() { return *machine_; }

private:
    FuzzMachine() {
        const char* shm = std::filesystem::exists("/dev/shm") ? "/dev/shm" : nullptr;
        std::string pattern =
            ((shm ? std::filesystem::path(shm) : std::filesystem::temp_directory_path()) / "unzip-fuzz-XXXXXX")
                .string();
        root_ = mkdtemp(pattern.data());
        machine_ = std::make_unique<plat::HostPlatform>(root_);
        plat::SetCurrent(machine_.get());
    }
    ~FuzzMachine() {
        plat::SetCurrent(nullptr);
        machine_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string root_;
    std::unique_ptr<plat::HostPlatform> machine_;
};

}  // namespace unzip_fuzz

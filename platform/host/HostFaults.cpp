// What tests do to the virtual machine: faults, the count of changes to the disks, full
// drives and files held by another program.
#include "platform/host/HostPlatform.h"

#include <algorithm>

#include "platform/Paths.h"

namespace plat {

void HostPlatform::FailWritesAfter(const std::string& pathPart, int64_t bytes) {
    writeFaults_.push_back({ToUpperAscii(pathPart), bytes});
}

void HostPlatform::FailCreateDirectory(const std::string& windowsPath) {
    failCreate_.push_back(ToUpperAscii(ExcludeTrailingBackslash(Absolute(windowsPath))));
}

void HostPlatform::FailOpen(const std::string& windowsPath) {
    failOpen_.push_back(ToUpperAscii(Absolute(windowsPath)));
}

void HostPlatform::ClearFaults() {
    writeFaults_.clear();
    failCreate_.clear();
    failOpen_.clear();
}

bool HostPlatform::IsFaulty(const std::vector<std::string>& list, const std::string& path) const {
    std::string key = ToUpperAscii(ExcludeTrailingBackslash(Absolute(path)));
    for (const std::string& entry : list)
        if (ExcludeTrailingBackslash(entry) == key) return true;
    return false;
}

int64_t HostPlatform::WriteLimitFor(const std::string& windowsPath) const {
    std::string key = ToUpperAscii(Absolute(windowsPath));
    for (const WriteFault& fault : writeFaults_)
        if (key.find(fault.pathPart) != std::string::npos) return fault.bytes;
    return -1;
}

bool HostPlatform::NextOperation() {
    ++operations_;
    if (stopAtOperation_ != 0 && operations_ >= stopAtOperation_) return false;
    return operations_ != failOperation_;
}

void HostPlatform::SetDriveQuota(char letter, uint64_t bytes) {
    drives_.at(static_cast<char>(ToUpperAscii(std::string(1, letter))[0])).quota = bytes;
}

void HostPlatform::HoldFile(const std::string& windowsPath) {
    held_.push_back({ToUpperAscii(Absolute(windowsPath)), std::nullopt});
}

void HostPlatform::HoldFileFor(const std::string& windowsPath, uint32_t milliseconds) {
    held_.push_back({ToUpperAscii(Absolute(windowsPath)), TickCount() + milliseconds});
}

void HostPlatform::ReleaseFile(const std::string& windowsPath) {
    std::erase_if(held_, [key = ToUpperAscii(Absolute(windowsPath))](const Hold& hold) { return hold.path == key; });
}

bool HostPlatform::IsHeld(const std::string& path) {
    const std::string key = ToUpperAscii(Absolute(path));
    const uint32_t now = TickCount();
    return std::any_of(held_.begin(), held_.end(), [&](const Hold& hold) {
        return hold.path == key && (!hold.until || static_cast<int32_t>(*hold.until - now) > 0);
    });
}

bool HostPlatform::WaitingWhileHeld(const std::string& path, const std::function<FileAttempt()>& attempt) {
    // The machine's clock moves on instead of the test waiting.
    return heldFileWaits_.Try(attempt, [this](uint32_t milliseconds) {
                            AdvanceTicks(milliseconds);
                            pausedMs_ += milliseconds;
                        },
                        [&] { TellWaitingFor(path); });
}

}  // namespace plat

// The virtual machine's environment, clock and plain message dialog.
#include "platform/host/HostPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/Paths.h"

namespace plat {

void HostPlatform::SetEnvironment(const std::string& name, const std::string& value) {
    environment_[ToUpperAscii(name)] = value;
}

void HostPlatform::UnsetEnvironment(const std::string& name) {
    environment_.erase(ToUpperAscii(name));
}

std::optional<std::string> HostPlatform::Environment(const std::string& name) {
    auto it = environment_.find(ToUpperAscii(name));
    if (it == environment_.end()) return std::nullopt;
    return it->second;
}

void HostPlatform::RandomBytes(void* buffer, size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<unsigned char>(random_());
}

void HostPlatform::ShowPlainMessage(const std::string& text) { Note("MESSAGE " + text); }

namespace {

class NameClaim : public System::Claim {
public:
    NameClaim(std::vector<std::string>& held, std::string name) : held_(held), name_(std::move(name)) {
        held_.push_back(name_);
    }
    ~NameClaim() override { held_.erase(std::find(held_.begin(), held_.end(), name_)); }
    NameClaim(const NameClaim&) = delete;
    NameClaim& operator=(const NameClaim&) = delete;

private:
    std::vector<std::string>& held_;
    std::string name_;
};

}  // namespace

std::unique_ptr<System::Claim> HostPlatform::ClaimName(const std::string& name, uint32_t) {
    if (std::find(heldNames_.begin(), heldNames_.end(), name) != heldNames_.end()) return nullptr;
    return std::make_unique<NameClaim>(heldNames_, name);
}

// The machine's clock stands still unless a test moves it: what runs on it paces itself
// the same way on every run, however fast the host is.
uint32_t HostPlatform::TickCount() { return kStartTicks + tickOffset_; }

LocalTime HostPlatform::Now() {
    if (hasFixedTime_) return fixedTime_;
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min,        local.tm_sec,       static_cast<int>(ms)};
}

// The virtual machine's regional settings are fixed: "dd.MM.yyyy" and "HH:mm:ss".
std::string HostPlatform::FormatDateTime(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", time.day, time.month, time.year,
                  time.hour, time.minute, time.second);
    return text;
}

}  // namespace plat

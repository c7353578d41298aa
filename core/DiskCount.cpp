#include <vector>

#include "core/InstallState.h"
#include "core/DiskCount.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"

namespace core {

namespace {

constexpr int kDiskCountWhenMissing = 6;
constexpr int64_t kLargestConfigFile = 1 << 20;  // a configuration file is a few lines

std::optional<std::string> ReadTextFile(const std::string& path) {
    auto file = plat::Current().Open(path, plat::OpenMode::Read);
    if (!file) return std::nullopt;
    int64_t size = file->Size();
    if (size < 0 || size > kLargestConfigFile) return std::nullopt;
    std::string text(static_cast<size_t>(size), '\0');
    if (file->Read(text.data(), size) != size) return std::nullopt;
    return text;
}

}  // namespace

int DiskCountFromConfig(const std::string* configText) {
    if (!configText) return kDiskCountWhenMissing;
    auto value = plat::IniRead(*configText, "General", "NrDiscuri");
    if (!value) return kDiskCountWhenMissing;
    long long count = plat::IniLeadingInteger(*value);
    // The count is never negative, and no media has more disks than an int holds.
    if (count < 0) return 0;
    return count > 1'000'000 ? 1'000'000 : static_cast<int>(count);
}

void ReadDiskCount() {
    auto text = ReadTextFile(plat::ProgramFolder() + "insttorv.cfg");
    State().DiskCount = DiskCountFromConfig(text ? &*text : nullptr);
}

}  // namespace core

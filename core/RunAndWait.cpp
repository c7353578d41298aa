#include "core/RunAndWait.h"

#include "platform/Platform.h"

namespace core {

int64_t RunAndWait(const std::string& commandLine, int showMode) {
    auto& platform = plat::Current();
    if (commandLine.size() > platform.MaxCommandLine()) return -1;
    return platform.RunAndWait(commandLine, static_cast<uint16_t>(showMode));
}

}  // namespace core

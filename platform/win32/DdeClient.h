// A DDE client conversation held with the DDE window messages themselves: initiate,
// one execute, terminate, every wait bounded.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace plat {

// Looks for a server of service/topic (an empty topic asks for any topic, then for the
// topic named after the service) for at most `timeoutMs` a round, and gives the one
// that answers first `command`, waiting at most `timeoutMs` for its acknowledgement.
DdeResult DdeExecuteOnce(const std::string& service, const std::string& topic, const std::string& command,
                         uint32_t timeoutMs);

}  // namespace plat

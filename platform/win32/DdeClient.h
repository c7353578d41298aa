// A DDE client conversation held with the DDE window messages themselves: initiate,
// one execute per command, terminate, every wait bounded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace plat {

// Looks for a server of service/topic (an empty topic asks for any topic, then for the
// topic named after the service) for at most `timeoutMs` a round, and gives the one
// that answers first each of `commands` in an execute of its own, waiting at most
// `timeoutMs` for each acknowledgement; the first command not carried out ends it.
DdeResult DdeExecuteEach(const std::string& service, const std::string& topic,
                         const std::vector<std::string>& commands, uint32_t timeoutMs);

}  // namespace plat

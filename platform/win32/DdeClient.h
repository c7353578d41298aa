// A DDE client conversation through DDEML: connect, one execute transaction that waits a
// bounded time, disconnect. Every DDEML handle has an owner that frees it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace plat {

DdeResult DdeExecuteOnce(const std::string& service, const std::string& topic, const std::string& command,
                         uint32_t timeoutMs);

}  // namespace plat

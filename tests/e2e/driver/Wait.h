// Bounded waiting: a condition is polled every 50 ms until it holds or the time is up.
#pragma once

#include <functional>

namespace tvdriver {

constexpr unsigned kPollIntervalMs = 50;

// True as soon as `condition` holds; it is tested at least once, also for a zero time.
bool WaitUntil(double seconds, const std::function<bool()>& condition);

}  // namespace tvdriver

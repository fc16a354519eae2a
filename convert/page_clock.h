// Where a page's moment comes from: the seconds that seed its generator and date it.
// The desktop program and the command-line converter use the system clock; tests and
// `mireto-convert --time` fix the moment.
#pragma once

#include <ctime>
#include <functional>

namespace mireto {

using PageClock = std::function<std::time_t()>;

inline std::time_t systemTimeNow() {
    return std::time(nullptr);
}

// The local calendar time of `moment` (honours TZ).
std::tm localCalendarTime(std::time_t moment);

} // namespace mireto

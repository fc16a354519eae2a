#include "convert/page_clock.h"

namespace mireto {

std::tm localCalendarTime(std::time_t moment) {
    std::tm result{};
    if (!localtime_r(&moment, &result)) {
        // Beyond what the calendar holds: date the page at the epoch rather than day 0.
        const std::time_t epoch = 0;
        localtime_r(&epoch, &result);
    }
    return result;
}

} // namespace mireto

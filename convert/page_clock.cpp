#include "convert/page_clock.h"

namespace mireto {

std::tm localCalendarTime(std::time_t moment) {
    std::tm result{};
    localtime_r(&moment, &result);
    return result;
}

} // namespace mireto

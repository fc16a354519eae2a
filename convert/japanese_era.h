// The Japanese era (元号) in force on a date, for the pages that date themselves the
// Japanese way: the idol-news entry and the thread's certificates.
#pragma once

#include <ctime>
#include <string_view>

namespace mireto {

struct EraYear {
    std::string_view name; // Shift_JIS, e.g. 平成
    int year;              // 1 in the calendar year the era began
};

// The era of a local calendar date (only tm_year, tm_mon and tm_mday are read).
// Dates before the first era in the table count in that era.
EraYear japaneseEra(const std::tm& date);

} // namespace mireto

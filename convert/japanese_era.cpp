#include "convert/japanese_era.h"

#include <array>

namespace mireto {

namespace {

struct Era {
    int firstYear;
    int firstMonth; // 1-12
    int firstDay;
    std::string_view name;
};

// In order of their first day (Gregorian).
constexpr std::array<Era, 5> kEras = {{
    {1868, 10, 23, "\x96\xBE\x8E\xA1"}, // 明治
    {1912, 7, 30, "\x91\xE5\x90\xB3"},  // 大正
    {1926, 12, 25, "\x8F\xBA\x98\x61"}, // 昭和
    {1989, 1, 8, "\x95\xBD\x90\xAC"},   // 平成
    {2019, 5, 1, "\x97\xDF\x98\x61"},   // 令和
}};

constexpr long dayKey(long year, int month, int day) {
    return (year * 100 + month) * 100 + day;
}

} // namespace

EraYear japaneseEra(const std::tm& date) {
    const long year = 1900L + date.tm_year;
    const long key = dayKey(year, date.tm_mon + 1, date.tm_mday);
    const Era* current = &kEras.front();
    for (const Era& era : kEras) {
        if (key >= dayKey(era.firstYear, era.firstMonth, era.firstDay))
            current = &era;
    }
    return {current->name, static_cast<int>(year - current->firstYear + 1)};
}

} // namespace mireto

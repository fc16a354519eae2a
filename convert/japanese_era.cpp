#include "convert/japanese_era.h"

#include "convert/sjis_literal.h"

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
    {1868, 10, 23, "明治"_sjis},
    {1912, 7, 30, "大正"_sjis},
    {1926, 12, 25, "昭和"_sjis},
    {1989, 1, 8, "平成"_sjis},
    {2019, 5, 1, "令和"_sjis},
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

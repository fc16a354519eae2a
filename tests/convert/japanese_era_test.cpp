// The Japanese era of a date: its name and year number, across the era changes.
#include "convert/japanese_era.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {
namespace {

std::tm date(int year, int month, int day) {
    std::tm result{};
    result.tm_year = year - 1900;
    result.tm_mon = month - 1;
    result.tm_mday = day;
    return result;
}

void expectEra(int year, int month, int day, const char* name, int eraYear) {
    const EraYear era = japaneseEra(date(year, month, day));
    EXPECT_EQ(utf8(era.name), name) << year << "-" << month << "-" << day;
    EXPECT_EQ(era.year, eraYear) << year << "-" << month << "-" << day;
}

TEST(JapaneseEra, EachDateCountsInTheEraOfItsDay) {
    expectEra(2002, 1, 3, "平成", 14);
    expectEra(2019, 4, 30, "平成", 31);
    expectEra(2019, 5, 1, "令和", 1);
    expectEra(2020, 1, 1, "令和", 2);
    expectEra(1989, 1, 7, "昭和", 64);
    expectEra(1989, 1, 8, "平成", 1);
    expectEra(1926, 12, 24, "大正", 15);
    expectEra(1926, 12, 25, "昭和", 1);
    expectEra(1912, 7, 30, "大正", 1);
    expectEra(1900, 1, 1, "明治", 33);
}

} // namespace
} // namespace mireto::test

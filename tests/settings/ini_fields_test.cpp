// Reading and writing the fields of one settings-file line, and cutting the file into lines.
#include "settings/ini_fields.h"
#include "settings/line_reader.h"

#include <gtest/gtest.h>
#include <vector>

namespace mireto::test {
namespace {

std::vector<std::string> allLines(std::string_view bytes) {
    LineReader reader(bytes);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.readLine(line))
        lines.emplace_back(line);
    return lines;
}

TEST(LineReader, CrLfOrBareLfEndsALineAndIsNotPartOfIt) {
    EXPECT_EQ(allLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(allLines("a\r\n\r\n\nlast\r\n"), (std::vector<std::string>{"a", "", "", "last"}));
    EXPECT_EQ(allLines("lone\rcr\n"), (std::vector<std::string>{"lone\rcr"}));
    EXPECT_TRUE(allLines("").empty());
}

TEST(FieldReader, StringsAreTakenByCountSoTheyMayHoldCommas) {
    FieldReader fields("3,a,b,0,,-7,5,,,,,,");
    EXPECT_EQ(fields.readString(), "a,b");
    EXPECT_EQ(fields.readString(), "");
    EXPECT_EQ(fields.readInt(), -7);
    EXPECT_EQ(fields.readString(), ",,,,,");
    EXPECT_FALSE(fields.hasField());
}

TEST(FieldReader, IntegersReadLikeAtoi) {
    FieldReader fields(" 42,+3,12abc,abc,,99999999999,-99999999999,");
    EXPECT_EQ(fields.readInt(), 42);
    EXPECT_EQ(fields.readInt(), 3);
    EXPECT_EQ(fields.readInt(), 12);
    EXPECT_EQ(fields.readInt(), 0);
    EXPECT_EQ(fields.readInt(), 0);
    EXPECT_EQ(fields.readInt(), 2147483647) << "too large stops at the limit";
    EXPECT_EQ(fields.readInt(), -2147483647 - 1);
}

TEST(FieldReader, AFieldWithoutItsCommaReadsAsNothingAndEndsTheLine) {
    FieldReader integer("12");
    EXPECT_TRUE(!integer.hasField());
    EXPECT_EQ(integer.readInt(), 0);
    EXPECT_EQ(integer.readString(), "");

    FieldReader string("5,abc,7");
    EXPECT_EQ(string.readString(), "abc,7") << "the bytes up to the stated length";
    EXPECT_EQ(string.readInt(), 0);
}

TEST(FieldReader, NeverReadsPastTheLine) {
    const std::string backing = "9,abc,SECRET";
    FieldReader longLength(std::string_view(backing).substr(0, 5));
    EXPECT_EQ(longLength.readString(), "abc");
    EXPECT_FALSE(longLength.hasField());
    EXPECT_EQ(longLength.readString(), "");

    FieldReader huge("2147483647,ab");
    EXPECT_EQ(huge.readString(), "ab");

    FieldReader negative("-4,abc,1,");
    EXPECT_EQ(negative.readString(), "") << "a negative length gives no bytes";
    EXPECT_TRUE(negative.hasField());
}

} // namespace
} // namespace mireto::test

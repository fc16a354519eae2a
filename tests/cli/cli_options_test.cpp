// Parsing mireto-convert's command line, and the input's line ends.
#include "cli/cli_options.h"
#include "cli/input_text.h"

#include <gtest/gtest.h>

namespace mireto::cli {
namespace {

TEST(CliOptions, LongShortAndInlineValues) {
    const ParsedOptions parsed =
        parseOptions({"-f", "4", "--output=page.html", "--time", "1031227620", "in.txt"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.format, "4");
    EXPECT_EQ(parsed.options.outputPath, "page.html");
    EXPECT_EQ(parsed.options.time, 1031227620);
    EXPECT_EQ(parsed.options.inputPath, "in.txt");

    const ParsedOptions attached = parseOptions({"-f6", "--encoding", "utf-8", "-"});
    ASSERT_EQ(attached.error, "");
    EXPECT_EQ(attached.options.format, "6");
    EXPECT_EQ(attached.options.encoding, InputEncoding::Utf8);
    EXPECT_EQ(attached.options.inputPath, "-");
    EXPECT_EQ(attached.options.pageEncoding, PageEncoding::Sjis);
    EXPECT_EQ(parseOptions({"--page-encoding", "utf8"}).options.pageEncoding, PageEncoding::Utf8);
}

TEST(CliOptions, MistakesAreNamed) {
    EXPECT_NE(parseOptions({"--bogus"}).error.find("--bogus"), std::string::npos);
    EXPECT_NE(parseOptions({"--format"}).error.find("needs a value"), std::string::npos);
    EXPECT_NE(parseOptions({"--time", "soon"}).error.find("soon"), std::string::npos);
    EXPECT_NE(parseOptions({"--encoding", "latin1"}).error.find("latin1"), std::string::npos);
    EXPECT_NE(parseOptions({"--page-encoding", "latin1"}).error.find("latin1"), std::string::npos);
    EXPECT_NE(parseOptions({"a.txt", "b.txt"}).error.find("only one input"), std::string::npos);
    EXPECT_NE(parseOptions({"--open=yes"}).error.find("takes no value"), std::string::npos);
}

TEST(CliOptions, DoubleDashEndsOptions) {
    const ParsedOptions parsed = parseOptions({"--", "-odd-name.txt"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.inputPath, "-odd-name.txt");
}

TEST(InputText, LineEndsBecomeCrLf) {
    EXPECT_EQ(withCrLfLineEnds("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(withCrLfLineEnds("\n\n"), "\r\n\r\n");
    EXPECT_EQ(withCrLfLineEnds("a\rb"), "a\rb");
}

TEST(InputText, InputWithoutAnEndStopsAtTheLimit) {
    const InputText endless = readInput("/dev/zero", std::size_t{1} << 20);
    EXPECT_FALSE(endless.ok);
    EXPECT_EQ(endless.error, "'/dev/zero' is larger than 1 MiB, the most mireto-convert converts");
    EXPECT_TRUE(endless.bytes.empty());
    const InputText exact = readInput("/dev/null", 0);
    EXPECT_TRUE(exact.ok) << exact.error;
}

} // namespace
} // namespace mireto::cli

// Building one page with fixed inputs and a fixed moment, and comparing pages readably.
#pragma once

#include "convert/converter.h"
#include "tests/support/sjis.h"

#include <gtest/gtest.h>

namespace mireto::test {

inline std::string buildPage(Converter& converter, const std::string& text, std::time_t moment,
                             const EndingSet& endings = {},
                             const ReplacementSet& replacements = {}) {
    converter.setInputs(endings, replacements, text);
    converter.setClock([moment] { return moment; });
    return converter.buildPage();
}

// Compares Shift_JIS pages, printing them as UTF-8 when they differ.
inline ::testing::AssertionResult samePage(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return ::testing::AssertionFailure() << "pages differ at byte " << at << "\n--- actual\n"
                                         << utf8(actual) << "\n--- expected\n"
                                         << utf8(expected);
}

inline EndingSet alwaysNari() {
    EndingSet set;
    set.words = {sjis("ナリ"), "", "", ""};
    set.frequencies = {100, 0, 0, 0};
    return set;
}

} // namespace mireto::test

// Shift_JIS test data written as readable UTF-8 in the test sources.
#pragma once

#include <string>
#include <string_view>

namespace mireto::test {

// The code page 932 bytes of `utf8`; aborts the test program on text CP932 cannot hold.
std::string sjis(std::string_view utf8);

// The UTF-8 reading of Shift_JIS bytes, for readable failure messages; bytes that do
// not decode show as <xx>.
std::string utf8(std::string_view sjisBytes);

} // namespace mireto::test

// The settings file written by a first run that is closed at once: the defaults, with
// the current slots first. Several suites check against these twelve lines.
#pragma once

#include "tests/support/sjis.h"

#include <string>

namespace mireto::test {

inline std::string firstRunSettingsFile() {
    return sjis("100,\r\n"
                "0,0,\r\n"
                "32,バーチャルネットアイドル　ぺかり,8,ソルネ屋,20,ぺかりニュースもどき,0,\r\n"
                "7,#66aaFF,7,#333333,\r\n"
                "10,名無しさん,12,一人語りスレ,0,\r\n"
                "----\r\n"
                "0,,0,,0,0,,0,0,,0,0,,0,\r\n"
                "----\r\n"
                "1,0,,0,,0,,0,,0,,0,,\r\n"
                "----\r\n"
                "0,,4,無し,4,無し,12,フォント弄り,\r\n"
                "----\r\n");
}

} // namespace mireto::test

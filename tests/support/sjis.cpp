#include "tests/support/sjis.h"

#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace mireto::test {

namespace {

bool tryConvert(std::string_view input, const char* to, const char* from, std::string& output) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
        std::abort();
    }
    output.assign(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const bool ok = iconv(handle, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(handle);
    output.resize(output.size() - outLeft);
    return ok;
}

} // namespace

std::string sjis(std::string_view utf8) {
    std::string output;
    if (!tryConvert(utf8, "CP932", "UTF-8", output)) {
        std::fprintf(stderr, "test text not convertible to Shift_JIS\n");
        std::abort();
    }
    return output;
}

std::string utf8(std::string_view sjisBytes) {
    // Character by character, so that one bad byte does not hide the rest.
    std::string out;
    std::string piece;
    for (std::size_t pos = 0; pos < sjisBytes.size();) {
        const auto c = static_cast<unsigned char>(sjisBytes[pos]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        const std::size_t length = lead && pos + 1 < sjisBytes.size() ? 2 : 1;
        if (tryConvert(sjisBytes.substr(pos, length), "UTF-8", "CP932", piece)) {
            out += piece;
            pos += length;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02x>", c);
            out += hex;
            pos += 1;
        }
    }
    return out;
}

} // namespace mireto::test

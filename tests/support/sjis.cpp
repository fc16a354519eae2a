#include "tests/support/sjis.h"

#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace mireto::test {

namespace {

std::string convert(std::string_view input, const char* to, const char* from) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
        std::abort();
    }
    std::string output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        std::fprintf(stderr, "test text not convertible from %s to %s\n", from, to);
        std::abort();
    }
    iconv_close(handle);
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

std::string sjis(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8");
}

std::string utf8(std::string_view sjisBytes) {
    return convert(sjisBytes, "UTF-8", "CP932");
}

} // namespace mireto::test

#include "cli/character_converter.h"

namespace mireto::cli {

CharacterConverter::CharacterConverter(const char* to, const char* from)
    : m_handle(iconv_open(to, from)) {}

CharacterConverter::~CharacterConverter() {
    if (valid())
        iconv_close(m_handle);
}

bool CharacterConverter::valid() const {
    return m_handle != reinterpret_cast<iconv_t>(-1);
}

bool CharacterConverter::convert(std::string_view character, std::string& out) {
    char buffer[8];
    char* in = const_cast<char*>(character.data());
    std::size_t inLeft = character.size();
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(m_handle, &in, &inLeft, &outPtr, &outLeft);
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0)
        return false;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return true;
}

} // namespace mireto::cli

#include "cli/character_converter.h"

#include <cerrno>

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

std::size_t CharacterConverter::convertPrefix(std::string_view text, std::string& out) {
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[1 << 14];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(m_handle, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG)
            break;
    }
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    return text.size() - inLeft;
}

} // namespace mireto::cli

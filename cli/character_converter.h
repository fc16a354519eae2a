// One character at a time between two encodings, through the system's iconv.
#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

namespace mireto::cli {

class CharacterConverter {
public:
    CharacterConverter(const char* to, const char* from);
    ~CharacterConverter();
    CharacterConverter(const CharacterConverter&) = delete;
    CharacterConverter& operator=(const CharacterConverter&) = delete;

    // False when this system has no such conversion.
    bool valid() const;

    // Appends one whole character converted; false when the target encoding has no
    // such character or the bytes are not one.
    bool convert(std::string_view character, std::string& out);

private:
    iconv_t m_handle;
};

} // namespace mireto::cli

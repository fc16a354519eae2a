// Between two encodings, through the system's iconv: one character at a time, or as
// much of a text as converts.
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

    // Appends as much of `text` converted as converts, in one pass; returns how many
    // bytes were taken, which stops before the first character that does not convert.
    std::size_t convertPrefix(std::string_view text, std::string& out);

private:
    iconv_t m_handle;
};

} // namespace mireto::cli

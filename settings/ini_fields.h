// The two field forms of a settings-file line: an integer "%d," and a string
// "%d,%s," (its byte length, then its bytes, which may hold commas).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mireto {

// Reads one line's fields in order. Strings are taken by their stated length, never
// by searching for the next comma. Nothing is ever read past the end of the line: a
// field whose comma is missing reads as 0 or as the empty string, and a string whose
// length runs past the line gets the bytes that are there.
class FieldReader {
public:
    explicit FieldReader(std::string_view line) : m_line(line) {}

    std::int32_t readInt();
    std::string readString();
    // Steps over a string field as readString would, without copying it.
    void skipString() { (void)nextString(); }

    // Whether another field (a comma at or after the current position) follows.
    bool hasField() const;

private:
    std::string_view nextString();

    std::string_view m_line;
    std::size_t m_pos = 0;
};

void writeIntField(std::string& out, std::int32_t value);
void writeStringField(std::string& out, std::string_view value);

// The line end the file uses.
inline constexpr std::string_view kLineEnd = "\r\n";
// The line that ends every section.
inline constexpr std::string_view kSeparator = "----";

} // namespace mireto

// Lines of a settings file held in memory: CR LF or a bare LF ends a line, and the
// line end is not part of the line.
#pragma once

#include <string>
#include <string_view>

namespace mireto {

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    // The next line, without its line end; false at the end of the bytes.
    bool readLine(std::string_view& line);

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace mireto

#include "settings/line_reader.h"

namespace mireto {

bool LineReader::readLine(std::string_view& line) {
    if (m_pos >= m_bytes.size())
        return false;
    const std::size_t end = m_bytes.find('\n', m_pos);
    const std::size_t next = end == std::string_view::npos ? m_bytes.size() : end + 1;
    std::size_t length = (end == std::string_view::npos ? m_bytes.size() : end) - m_pos;
    // Only the CR of a CR LF pair belongs to the line end; a CR elsewhere is data.
    if (end != std::string_view::npos && length > 0 && m_bytes[m_pos + length - 1] == '\r')
        --length;
    line = m_bytes.substr(m_pos, length);
    m_pos = next;
    return true;
}

} // namespace mireto

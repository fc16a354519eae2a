#include "settings/ini_fields.h"

#include <algorithm>
#include <limits>

namespace mireto {

namespace {

// The number at the start of `text` as atoi reads it: leading blanks, a sign, digits,
// anything else ends it. Out-of-range values stop at the limits instead of overflowing.
std::int64_t leadingNumber(std::string_view text) {
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    return negative ? -value : std::min(value, kLimit - 1);
}

} // namespace

bool FieldReader::hasField() const {
    return m_pos < m_line.size() && m_line.find(',', m_pos) != std::string_view::npos;
}

std::int32_t FieldReader::readInt() {
    const std::size_t comma = m_pos < m_line.size() ? m_line.find(',', m_pos) : m_line.npos;
    if (comma == std::string_view::npos) {
        m_pos = m_line.size();
        return 0;
    }
    const std::int64_t value = leadingNumber(m_line.substr(m_pos, comma - m_pos));
    m_pos = comma + 1;
    return static_cast<std::int32_t>(value);
}

std::string FieldReader::readString() {
    return std::string(nextString());
}

std::string_view FieldReader::nextString() {
    const std::size_t comma = m_pos < m_line.size() ? m_line.find(',', m_pos) : m_line.npos;
    if (comma == std::string_view::npos) {
        m_pos = m_line.size();
        return {};
    }
    const std::int64_t stated = leadingNumber(m_line.substr(m_pos, comma - m_pos));
    const std::size_t start = comma + 1;
    const std::size_t available = m_line.size() - start;
    const std::size_t length =
        stated <= 0 ? 0 : std::min(static_cast<std::size_t>(stated), available);
    const std::string_view value = m_line.substr(start, length);
    // The byte after the string is its closing comma, stepped over unexamined.
    m_pos = std::min(start + length + 1, m_line.size());
    return value;
}

void writeIntField(std::string& out, std::int32_t value) {
    out += std::to_string(value);
    out += ',';
}

void writeStringField(std::string& out, std::string_view value) {
    out += std::to_string(value.size());
    out += ',';
    out += value;
    out += ',';
}

} // namespace mireto

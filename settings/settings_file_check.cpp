#include "settings/settings_file_check.h"

#include "settings/ini_fields.h"
#include "settings/line_reader.h"
#include "settings/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace mireto {

namespace {

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// In Shift_JIS text every byte below 0x80 is a character of its own (trail bytes start
// at 0x40), so a control byte is a control character.
bool isControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Reads a line's fields strictly: an integer is an optional minus and digits, a string
// states its length in digits and is followed by its comma, and nothing else may come
// between or after the fields.
class StrictFields {
public:
    explicit StrictFields(std::string_view line) : m_line(line) {}

    bool readInt(std::int32_t* value = nullptr) {
        const std::size_t comma = m_line.find(',', m_pos);
        if (comma == std::string_view::npos)
            return false;
        const std::string_view digits = m_line.substr(m_pos, comma - m_pos);
        std::int32_t parsed = 0;
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, parsed);
        if (digits.empty() || error != std::errc() || stop != end)
            return false;
        if (value)
            *value = parsed;
        m_pos = comma + 1;
        return true;
    }

    bool readString() {
        std::int32_t length = 0;
        if (m_pos < m_line.size() && m_line[m_pos] == '-')
            return false;
        if (!readInt(&length))
            return false;
        const auto size = static_cast<std::size_t>(length);
        if (m_line.size() - m_pos < size + 1 || m_line[m_pos + size] != ',')
            return false;
        const std::string_view text = m_line.substr(m_pos, size);
        if (!IsShiftJisText(text))
            m_notShiftJis = true;
        else if (std::any_of(text.begin(), text.end(), isControlByte))
            m_control = true;
        m_pos += size + 1;
        return true;
    }

    bool strings(int count) {
        for (int i = 0; i < count; ++i) {
            if (!readString())
                return false;
        }
        return true;
    }

    bool atEnd() const { return m_pos == m_line.size(); }
    bool notShiftJis() const { return m_notShiftJis; }
    bool control() const { return m_control; }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
    bool m_notShiftJis = false;
    bool m_control = false;
};

// Whether `line` holds exactly the fields of row `row` of the page-settings section.
bool pageSettingsLine(StrictFields& fields, std::size_t row) {
    switch (row) {
    case 0:
        return fields.readInt();
    case 1:
        return fields.readInt() && fields.readInt();
    case 2:
        return fields.strings(3) && fields.readInt();
    case 3:
        return fields.strings(2);
    case 4:
        return fields.strings(2) && fields.readInt();
    default:
        return true; // the reader skips them
    }
}

bool endingSetLine(StrictFields& fields) {
    if (!fields.readString())
        return false;
    for (int slot = 0; slot < 4; ++slot) {
        if (!fields.readString() || !fields.readInt())
            return false;
    }
    // "改行も変更", written only when it is on.
    return fields.atEnd() || fields.readInt();
}

bool replacementSetLine(StrictFields& fields) {
    std::int32_t rules = 0;
    if (!fields.readInt(&rules) || !fields.readString())
        return false;
    for (std::int32_t rule = 0; rule < rules; ++rule) {
        if (!fields.strings(5))
            return false;
    }
    return true;
}

bool lineFits(std::string_view line, SettingsSection section, std::size_t row,
              SettingsFileFault& textFault) {
    StrictFields fields(line);
    bool fits = false;
    switch (section) {
    case SettingsSection::PageSettings:
        if (row >= 5)
            return true;
        fits = pageSettingsLine(fields, row);
        break;
    case SettingsSection::EndingSets:
        fits = endingSetLine(fields);
        break;
    case SettingsSection::ReplacementSets:
        fits = replacementSetLine(fields);
        break;
    case SettingsSection::OverallTemplates:
        fits = fields.strings(4);
        break;
    }
    textFault = fields.notShiftJis() ? SettingsFileFault::NotShiftJis
                : fields.control()   ? SettingsFileFault::ControlCharacter
                                     : SettingsFileFault::None;
    return fits && fields.atEnd();
}

} // namespace

bool IsShiftJisText(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF))
            continue;
        if (!isLeadByte(byte) || pos + 1 == text.size() ||
            !isTrailByte(static_cast<unsigned char>(text[pos + 1])))
            return false;
        ++pos;
    }
    return true;
}

PageValue ImproperPageValue(const FormatSettings& settings) {
    const auto within = [](std::int32_t value, std::int32_t high) {
        return value >= 0 && value <= high;
    };
    const auto colour = [](const std::string& text) {
        return text.size() == 7 && std::none_of(text.begin(), text.end(), [](char c) {
                   return isControlByte(c) ||
                          std::string_view("\"'<>&").find(c) != std::string_view::npos;
               });
    };
    if (!within(settings.lineBreakDegree, 9))
        return PageValue::LineBreakDegree;
    if (!within(settings.deleteCommas, 1))
        return PageValue::DeleteCommas;
    if (!within(settings.idolNews.supportOn, 1))
        return PageValue::IdolNewsSupport;
    if (!colour(settings.standardColours.backgroundColour))
        return PageValue::BackgroundColour;
    if (!colour(settings.standardColours.textColour))
        return PageValue::TextColour;
    if (!within(settings.thread.mode, ThreadSettings::BadThread))
        return PageValue::ThreadMode;
    return PageValue::None;
}

std::size_t PageValueLine(PageValue value) {
    switch (value) {
    case PageValue::None:
        break;
    case PageValue::LineBreakDegree:
    case PageValue::DeleteCommas:
        return 2;
    case PageValue::IdolNewsSupport:
        return 3;
    case PageValue::BackgroundColour:
    case PageValue::TextColour:
        return 4;
    case PageValue::ThreadMode:
        return 5;
    }
    return 0;
}

SettingsFileCheck CheckSettingsFile(std::string_view bytes) {
    LineReader lines(bytes);
    std::string_view line;
    std::size_t number = 0;
    std::size_t row = 0;
    int section = 0;
    constexpr int kSections = 4;
    while (section < kSections && lines.readLine(line)) {
        ++number;
        const auto current = static_cast<SettingsSection>(section);
        if (line == kSeparator) {
            ++section;
            row = 0;
            continue;
        }
        SettingsFileFault textFault = SettingsFileFault::None;
        if (!lineFits(line, current, row, textFault))
            return {SettingsFileFault::BadLine, number, current};
        if (textFault != SettingsFileFault::None)
            return {textFault, number, current};
        ++row;
    }
    if (section < kSections)
        return {SettingsFileFault::MissingSeparator, number + 1,
                static_cast<SettingsSection>(section)};
    // Well-formed: now the page settings' values, as the reader reads them.
    FormatSettings settings;
    LineReader pageLines(bytes);
    ReadFormatSettings(pageLines, settings);
    if (const PageValue value = ImproperPageValue(settings); value != PageValue::None)
        return {SettingsFileFault::BadValue, PageValueLine(value), SettingsSection::PageSettings,
                value};
    return {};
}

} // namespace mireto

#include "settings/ini_fields.h"
#include "settings/settings_file.h"

namespace mireto {

namespace {

// The written value of line 1; read back and ignored.
constexpr std::int32_t kSectionMark = 100;

void readLine(std::size_t row, std::string_view line, FormatSettings& settings) {
    FieldReader fields(line);
    switch (row) {
    case 0:
        fields.readInt();
        break;
    case 1:
        // Kept as stored; the font-play page holds it to 0-9 where it counts.
        settings.lineBreakDegree = fields.readInt();
        settings.deleteCommas = fields.readInt();
        break;
    case 2:
        settings.idolNews.name = fields.readString();
        settings.idolNews.supportTarget = fields.readString();
        settings.idolNews.title = fields.readString();
        settings.idolNews.supportOn = fields.readInt();
        break;
    case 3:
        settings.standardColours.backgroundColour = fields.readString();
        settings.standardColours.textColour = fields.readString();
        break;
    case 4:
        settings.thread.name = fields.readString();
        settings.thread.title = fields.readString();
        settings.thread.mode = fields.readInt();
        break;
    default:
        break;
    }
}

} // namespace

void ReadFormatSettings(LineReader& lines, FormatSettings& settings) {
    std::string_view line;
    for (std::size_t row = 0; lines.readLine(line) && line != kSeparator; ++row)
        readLine(row, line, settings);
}

void WriteFormatSettings(std::string& out, const FormatSettings& settings) {
    writeIntField(out, kSectionMark);
    out += kLineEnd;

    writeIntField(out, settings.lineBreakDegree);
    writeIntField(out, settings.deleteCommas);
    out += kLineEnd;

    writeStringField(out, settings.idolNews.name);
    writeStringField(out, settings.idolNews.supportTarget);
    writeStringField(out, settings.idolNews.title);
    writeIntField(out, settings.idolNews.supportOn);
    out += kLineEnd;

    writeStringField(out, settings.standardColours.backgroundColour);
    writeStringField(out, settings.standardColours.textColour);
    out += kLineEnd;

    writeStringField(out, settings.thread.name);
    writeStringField(out, settings.thread.title);
    writeIntField(out, settings.thread.mode);
    out += kLineEnd;

    out += kSeparator;
    out += kLineEnd;
}

} // namespace mireto

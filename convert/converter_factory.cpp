#include "convert/converter_factory.h"

#include "convert/font_play_converter.h"
#include "convert/house_style_converter.h"
#include "convert/idol_news_converter.h"
#include "convert/standard_html_converter.h"
#include "convert/thread_page_converter.h"

namespace mireto {

std::optional<OutputFormat> formatByName(std::string_view name) {
    for (std::size_t position = 0; position < kFormatNames.size(); ++position) {
        if (kFormatNames[position] == name)
            return static_cast<OutputFormat>(position);
    }
    return std::nullopt;
}

std::unique_ptr<Converter> createConverter(OutputFormat format, const FormatSettings& settings) {
    // The file's flag deletes commas only when it is exactly 1, whatever a hand-edited
    // file puts there.
    const bool deleteCommas = settings.deleteCommas == 1;
    switch (format) {
    case OutputFormat::FontPlayBlack:
        return std::make_unique<FontPlayConverter>(deleteCommas, settings.lineBreakDegree, false);
    case OutputFormat::FontPlayWhite:
        return std::make_unique<FontPlayConverter>(deleteCommas, settings.lineBreakDegree, true);
    case OutputFormat::IdolNews:
        return std::make_unique<IdolNewsConverter>(settings.idolNews);
    case OutputFormat::Thread:
        return std::make_unique<ThreadPageConverter>(settings.thread);
    case OutputFormat::Standard:
        return std::make_unique<StandardHtmlConverter>(settings.standardColours, false);
    case OutputFormat::StandardFrameless:
        return std::make_unique<StandardHtmlConverter>(settings.standardColours, true);
    case OutputFormat::HouseStyle:
        return std::make_unique<HouseStyleConverter>();
    }
    // Only a value outside the seven positions gets here.
    return nullptr;
}

} // namespace mireto

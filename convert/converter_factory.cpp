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
    switch (format) {
    case OutputFormat::FontPlayBlack:
        return std::make_unique<FontPlayConverter>(settings.deleteCommas, settings.lineBreakDegree,
                                                   0);
    case OutputFormat::FontPlayWhite:
        return std::make_unique<FontPlayConverter>(settings.deleteCommas, settings.lineBreakDegree,
                                                   1);
    case OutputFormat::IdolNews:
        return std::make_unique<IdolNewsConverter>(settings.idolNews);
    case OutputFormat::Thread:
        return std::make_unique<ThreadPageConverter>(settings.thread);
    case OutputFormat::Standard:
        return std::make_unique<StandardHtmlConverter>(settings.standardColours, 0);
    case OutputFormat::StandardFrameless:
        return std::make_unique<StandardHtmlConverter>(settings.standardColours, 1);
    case OutputFormat::HouseStyle:
        return std::make_unique<HouseStyleConverter>();
    }
    // Only a value outside the seven positions gets here.
    return nullptr;
}

} // namespace mireto

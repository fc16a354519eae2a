#include "convert/converter_factory.h"

#include "convert/house_style_converter.h"
#include "convert/standard_html_converter.h"

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
    case OutputFormat::Standard:
        return std::make_unique<StandardHtmlConverter>(settings.standardColours, 0);
    case OutputFormat::StandardFrameless:
        return std::make_unique<StandardHtmlConverter>(settings.standardColours, 1);
    case OutputFormat::HouseStyle:
        return std::make_unique<HouseStyleConverter>();
    case OutputFormat::FontPlayBlack:
    case OutputFormat::FontPlayWhite:
    case OutputFormat::IdolNews:
    case OutputFormat::Thread:
        break;
    }
    return nullptr;
}

} // namespace mireto

// Picks the page builder for a style: the driver behind GO!! and mireto-convert.
#pragma once

#include "convert/converter.h"
#include "settings/format_settings.h"

#include <memory>
#include <optional>
#include <string_view>

namespace mireto {

// Position (0-6) of the style whose name equals `name` byte for byte.
std::optional<OutputFormat> formatByName(std::string_view name);

// A converter for `format` holding copies of the settings it reads; null only for a
// value that is none of the seven styles.
std::unique_ptr<Converter> createConverter(OutputFormat format, const FormatSettings& settings);

} // namespace mireto

// The page the desktop program should build: the converter run directly on the view's
// current sets and settings.
#pragma once

#include "app/mireto_view.h"
#include "convert/converter_factory.h"

#include <ctime>
#include <string>

namespace mireto::test {

inline std::string expectedPage(const CMiretoView& view, OutputFormat format,
                                const std::string& text, std::time_t moment) {
    std::unique_ptr<Converter> converter = createConverter(format, view.formatSettings());
    converter->setInputs(view.currentEndingSet(), view.currentReplacementSet(), text);
    converter->setClock([moment] { return moment; });
    return converter->buildPage();
}

} // namespace mireto::test

// The idol-news page (某バーチャルネットアイドル): the text as one dated entry of a web
// persona's news page, with random clauses in bold or turned into web-search links,
// and an optional line saying who supports whom.
#pragma once

#include "convert/converter.h"

#include <ctime>

namespace mireto {

class IdolNewsConverter : public Converter {
public:
    // Where a search link leads; the clause follows "?q=".
    static constexpr std::string_view kSearchAddress = "https://www.google.co.jp/search";

    explicit IdolNewsConverter(IdolNewsSettings settings) : m_settings(std::move(settings)) {}

protected:
    void generate() override;

private:
    void writeHead(const std::tm& date);
    void emitClause(std::string_view segment);

    IdolNewsSettings m_settings;
};

} // namespace mireto

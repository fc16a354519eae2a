// How the editors' lists compare names, without Qt: letter case ignored, as the
// desktop's lists compare them (each character case-folded, then by code point).
#pragma once

#include "settings/template_exchange.h"

namespace mireto::web {

NameRules listNameRules();

} // namespace mireto::web

// Texts hold their lines as the editor does: ended by CR LF.
#pragma once

#include <string>

namespace mireto {

// Every line end becomes CR LF (a lone LF gains its CR; CR LF stays as it is).
std::string withCrLfLineEnds(std::string text);

} // namespace mireto

// The options the desktop program answers on its own, before any window or display:
// --help and --version.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace mireto {

// The text --help prints; the manual page is made from it.
std::string programUsage();

// Answers --help or --version (writing to out) and gives the exit status, or gives
// nothing when the program is to start.
std::optional<int> answerProgramOptions(const std::vector<std::string>& args, std::ostream& out);

} // namespace mireto

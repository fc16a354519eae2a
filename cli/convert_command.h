// mireto-convert: one conversion from the command line, as GO!! does in the editor.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mireto::cli {

// Runs the command with `args` (without the program name). Returns the exit status:
// 0 done, 1 the conversion could not be done, 2 the command line was wrong.
int runConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace mireto::cli

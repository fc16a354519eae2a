// The folder of the running executable, where Mireto keeps Mireto.ini and tmp.html.
#pragma once

#include <filesystem>

namespace mireto {

// Asks the system for the executable's full path (any length). Empty when the
// system cannot tell, in which case callers fall back to the current folder.
std::filesystem::path executableDirectory();

} // namespace mireto

// Opens a page with the desktop's default browser (xdg-open), without waiting.
#pragma once

#include <filesystem>

namespace mireto::cli {

bool openInBrowser(const std::filesystem::path& page);

} // namespace mireto::cli

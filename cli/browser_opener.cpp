#include "cli/browser_opener.h"

#include <spawn.h>

extern char** environ;

namespace mireto::cli {

bool openInBrowser(const std::filesystem::path& page) {
    const std::string target = std::filesystem::absolute(page).string();
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(target.c_str()), nullptr};
    pid_t child = 0;
    return posix_spawnp(&child, program, nullptr, nullptr, argv, environ) == 0;
}

} // namespace mireto::cli

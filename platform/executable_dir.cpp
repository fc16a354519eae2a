#include "platform/executable_dir.h"

#include <system_error>

namespace mireto {

std::filesystem::path executableDirectory() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return self.parent_path();
}

} // namespace mireto

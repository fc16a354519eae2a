#include "platform/set_aside.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace mireto {

namespace {

// A rename that fails with EEXIST rather than replace what is at `to`.
int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: look first, then rename.
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0)
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

SetAsideResult setAside(const std::filesystem::path& path) {
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) != 0)
        return errno == ENOENT ? SetAsideResult{true, {}, 0} : SetAsideResult{false, {}, errno};
    for (int attempt = 1; attempt < 1000; ++attempt) {
        std::filesystem::path name = path;
        name += attempt == 1 ? ".bak" : ".bak" + std::to_string(attempt);
        const int error = renameWithoutReplacing(path, name);
        if (error == 0)
            return {true, name, 0};
        if (error != EEXIST)
            return {false, {}, error};
    }
    return {false, {}, EEXIST};
}

} // namespace mireto

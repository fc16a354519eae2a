// Keeping what is at a path under a new name beside it, before a file is written there.
#pragma once

#include <filesystem>

namespace mireto {

struct SetAsideResult {
    bool ok = false;
    std::filesystem::path keptAs; // empty when nothing was there
    int error = 0;                // the system's error number when not ok
};

// Renames whatever is at `path` (a file, a link, a folder, a FIFO) to the first of
// path + ".bak", ".bak2", ".bak3", ... that is free, never over anything.
SetAsideResult setAside(const std::filesystem::path& path);

} // namespace mireto

// Readable UTF-8 in the Qt tests' sources, and paths, as the program's QStrings.
#pragma once

#include <QString>
#include <filesystem>

namespace mireto::test {

inline QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace mireto::test

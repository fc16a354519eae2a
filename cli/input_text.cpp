#include "cli/input_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace mireto::cli {

InputText readInput(const std::string& path) {
    const bool fromStdin = path == "-";
    std::unique_ptr<FILE, int (*)(FILE*)> file(fromStdin ? stdin : std::fopen(path.c_str(), "rb"),
                                               fromStdin ? [](FILE*) { return 0; } : std::fclose);
    const std::string name = fromStdin ? "standard input" : "'" + path + "'";
    if (!file)
        return {false, {}, "cannot read " + name + ": " + std::strerror(errno)};

    InputText input;
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        input.bytes.append(buffer, got);
    if (std::ferror(file.get()))
        return {false, {}, "cannot read " + name + ": " + std::strerror(errno)};
    input.ok = true;
    return input;
}

std::string withCrLfLineEnds(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            result.push_back('\r');
        result.push_back(text[i]);
    }
    return result;
}

} // namespace mireto::cli

#include "cli/input_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace mireto::cli {

InputText readInput(const std::string& path) {
    const bool fromStdin = path == "-";
    std::unique_ptr<FILE, int (*)(FILE*)> file(fromStdin ? stdin : std::fopen(path.c_str(), "rb"),
                                               fromStdin ? [](FILE*) { return 0; } : std::fclose);
    const std::string name = fromStdin ? "standard input" : "'" + path + "'";
    if (!file)
        return {false, {}, "cannot read " + name + ": " + std::strerror(errno)};

    InputText input;
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        // A file of known size comes in one read, into a buffer of its size.
        input.bytes.resize(static_cast<std::size_t>(info.st_size));
        input.bytes.resize(std::fread(input.bytes.data(), 1, input.bytes.size(), file.get()));
    }
    // Standard input, or whatever a file gained since.
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        input.bytes.append(buffer, got);
    if (std::ferror(file.get()))
        return {false, {}, "cannot read " + name + ": " + std::strerror(errno)};
    input.ok = true;
    return input;
}

} // namespace mireto::cli

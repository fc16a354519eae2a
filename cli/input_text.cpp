#include "cli/input_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace mireto::cli {

namespace {

// 1073741824 as "1 GiB"; sizes that are no whole MiB in bytes.
std::string sizeText(std::size_t bytes) {
    if (bytes % (std::size_t{1} << 30) == 0)
        return std::to_string(bytes >> 30) + " GiB";
    if (bytes % (std::size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

} // namespace

InputText readInput(const std::string& path, std::size_t maxBytes) {
    const bool fromStdin = path == "-";
    std::unique_ptr<FILE, int (*)(FILE*)> file(fromStdin ? stdin : std::fopen(path.c_str(), "rb"),
                                               fromStdin ? [](FILE*) { return 0; } : std::fclose);
    const std::string name = fromStdin ? "standard input" : "'" + path + "'";
    if (!file)
        return {false, {}, "cannot read " + name + ": " + std::strerror(errno)};

    const auto tooLarge = [&name, maxBytes] {
        return InputText{false,
                         {},
                         name + " is larger than " + sizeText(maxBytes) +
                             ", the most mireto-convert converts"};
    };
    InputText input;
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
            return tooLarge();
        // A file of known size comes in one read, into a buffer of its size.
        input.bytes.resize(static_cast<std::size_t>(info.st_size));
        input.bytes.resize(std::fread(input.bytes.data(), 1, input.bytes.size(), file.get()));
    }
    // Standard input, a pipe or a device, or whatever a file gained since: never more
    // than the limit, however long it goes on.
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (got > maxBytes - std::min(input.bytes.size(), maxBytes))
            return tooLarge();
        input.bytes.append(buffer, got);
    }
    if (std::ferror(file.get()))
        return {false, {}, "cannot read " + name + ": " + std::strerror(errno)};
    input.ok = true;
    return input;
}

std::string withCrLfLineEnds(std::string text) {
    // Most texts have CR LF already, or no line end that lacks its CR: then they are
    // handed back as they are.
    std::size_t loneLineFeeds = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r')
            ++loneLineFeeds;
    }
    if (loneLineFeeds == 0)
        return text;
    std::string result;
    result.reserve(text.size() + loneLineFeeds);
    std::size_t copied = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r') {
            result.append(text, copied, at - copied);
            result.push_back('\r');
            copied = at;
        }
    }
    result.append(text, copied);
    return result;
}

} // namespace mireto::cli

// The command line of mireto-convert.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace mireto::cli {

// Detect: UTF-8 when the text reads as UTF-8 (valid, and not plain ASCII), else Shift_JIS.
enum class InputEncoding { Detect, Sjis, Utf8 };
enum class PageEncoding { Sjis, Utf8 };

struct CliOptions {
    std::string inputPath = "-";       // "-" reads standard input
    std::optional<std::string> format; // a style name or position 0-6
    std::optional<std::string> outputPath;
    bool open = false;
    std::optional<std::time_t> time;
    InputEncoding encoding = InputEncoding::Detect;
    PageEncoding pageEncoding = PageEncoding::Sjis;
    std::optional<std::string> settingsPath; // otherwise Mireto.ini beside the program
    std::optional<std::string> templateName; // names are UTF-8
    std::optional<std::string> endingName;
    std::optional<std::string> replacementName;
    bool list = false;
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    CliOptions options;
    std::string error; // empty when the command line was understood
};

ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

} // namespace mireto::cli

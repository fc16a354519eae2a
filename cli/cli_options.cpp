#include "cli/cli_options.h"

#include <charconv>
#include <functional>
#include <optional>

namespace mireto::cli {

namespace {

struct OptionSpec {
    const char* shortName; // may be null
    const char* longName;
    bool takesValue;
    std::function<std::string(CliOptions&, const std::string&)> apply; // returns an error
};

std::string parseTime(CliOptions& options, const std::string& value) {
    long long seconds = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, seconds);
    if (ec != std::errc() || ptr != end || value.empty())
        return "--time takes whole seconds since 1970, not '" + value + "'";
    options.time = static_cast<std::time_t>(seconds);
    return {};
}

// Whether `value` names Shift_JIS (false) or UTF-8 (true); nothing for anything else.
std::optional<bool> namesUtf8(const std::string& value) {
    if (value == "sjis" || value == "shift_jis" || value == "cp932")
        return false;
    if (value == "utf-8" || value == "utf8")
        return true;
    return std::nullopt;
}

std::string parseEncoding(CliOptions& options, const std::string& value) {
    const std::optional<bool> utf8 = namesUtf8(value);
    if (!utf8)
        return "--encoding takes sjis or utf-8, not '" + value + "'";
    options.encoding = *utf8 ? InputEncoding::Utf8 : InputEncoding::Sjis;
    return {};
}

std::string parsePageEncoding(CliOptions& options, const std::string& value) {
    const std::optional<bool> utf8 = namesUtf8(value);
    if (!utf8)
        return "--page-encoding takes sjis or utf-8, not '" + value + "'";
    options.pageEncoding = *utf8 ? PageEncoding::Utf8 : PageEncoding::Sjis;
    return {};
}

template <typename Field> auto setter(Field CliOptions::*field) {
    return [field](CliOptions& options, const std::string& value) {
        options.*field = value;
        return std::string{};
    };
}

template <typename Field> auto flag(Field CliOptions::*field) {
    return [field](CliOptions& options, const std::string&) {
        options.*field = true;
        return std::string{};
    };
}

const std::vector<OptionSpec>& optionSpecs() {
    static const std::vector<OptionSpec> specs = {
        {"-f", "--format", true, setter(&CliOptions::format)},
        {"-o", "--output", true, setter(&CliOptions::outputPath)},
        {nullptr, "--open", false, flag(&CliOptions::open)},
        {nullptr, "--time", true, parseTime},
        {nullptr, "--encoding", true, parseEncoding},
        {nullptr, "--page-encoding", true, parsePageEncoding},
        {"-s", "--settings", true, setter(&CliOptions::settingsPath)},
        {"-t", "--template", true, setter(&CliOptions::templateName)},
        {nullptr, "--ending", true, setter(&CliOptions::endingName)},
        {nullptr, "--replacement", true, setter(&CliOptions::replacementName)},
        {nullptr, "--list", false, flag(&CliOptions::list)},
        {"-h", "--help", false, flag(&CliOptions::help)},
        {nullptr, "--version", false, flag(&CliOptions::version)},
    };
    return specs;
}

} // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    bool haveInput = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (haveInput) {
                parsed.error = "only one input file may be given ('" + parsed.options.inputPath +
                               "' and '" + arg + "')";
                return parsed;
            }
            parsed.options.inputPath = arg;
            haveInput = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.substr(0, 2);
            inlineValue = arg.substr(2);
        }

        const OptionSpec* spec = nullptr;
        for (const OptionSpec& candidate : optionSpecs()) {
            if (name == candidate.longName || (candidate.shortName && name == candidate.shortName))
                spec = &candidate;
        }
        if (!spec) {
            parsed.error = "unknown option '" + arg + "' (see --help)";
            return parsed;
        }
        std::string value;
        if (spec->takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                parsed.error = std::string(spec->longName) + " needs a value";
                return parsed;
            }
        } else if (inlineValue) {
            parsed.error = std::string(spec->longName) + " takes no value";
            return parsed;
        }
        if (std::string error = spec->apply(parsed.options, value); !error.empty()) {
            parsed.error = error;
            return parsed;
        }
    }
    return parsed;
}

std::string usageText() {
    return R"(Usage: mireto-convert [options] [FILE]
Turn a Japanese text into a joke web page, as the Mireto editor's GO!! does.

FILE is the input text: UTF-8 when it is valid UTF-8 beyond ASCII, Shift_JIS
otherwise (--encoding forces either); - or nothing reads standard input. The page
is Shift_JIS HTML unless --page-encoding says otherwise. The settings file is only
read, never written.

Options:
  -f, --format NAME|N   page style, by name or position (default: the settings
                        file's current style, or 0 without one):
                          0 フォント弄り              font play, black page
                          1 フォント弄り(背景白)      font play, white page
                          2 某バーチャルネットアイドル  idol-news page
                          3 某巨大掲示板群            bulletin-board thread
                          4 標準的                    standard page with frame
                          5 標準的(枠無し)            standard page without frame
                          6 ソルネ屋仕様              house style
  -o, --output PATH     write the page there (default, or -: standard output)
      --open            also open the page in the default browser (without
                        --output the page goes to tmp.html where the editor
                        writes it)
      --time SECONDS    the moment (seconds since 1970) that seeds the random
                        choices and dates the page; makes the output reproducible
      --encoding ENC    encoding of the input: sjis or utf-8 (default: utf-8 when
                        the text is valid UTF-8 beyond ASCII, else sjis);
                        characters Shift_JIS cannot hold become &#x...;
                        references
      --page-encoding ENC
                        encoding of the page: sjis (default, the page as the
                        editor makes it) or utf-8 (the same page decoded, its
                        head declaring UTF-8)
  -s, --settings PATH   read templates and page settings from this settings
                        file (default: the editor's Mireto.ini, or the starter
                        settings while there is none);
                        its current ending set, replacement set and page style
                        are used unless the options below say otherwise
  -t, --template NAME   use the stored overall template NAME: its ending set,
                        replacement set and page style (--format still wins)
      --ending NAME     use the stored ending set NAME (無し: none)
      --replacement NAME
                        use the stored replacement set NAME (無し: none)
      --list            list the stored overall templates, ending sets and
                        replacement sets by name, and exit
  -h, --help            show this help and exit
      --version         show the version and exit
)";
}

} // namespace mireto::cli

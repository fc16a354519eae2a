#include "app/program_options.h"

#include <algorithm>

namespace mireto {

std::string programUsage() {
    return R"(Usage: mireto [options] [FILE]
Write Japanese text and turn it into a joke web page: choose on the panel how to
convert and press GO!!, and the page opens in the web browser. A preview beside
the text follows as you type.

FILE is a text document to open, Shift_JIS or UTF-8; without one the editor
starts with a new document. One editor runs on a settings file at a time:
starting another one brings the running editor forward and opens FILE there.

Options:
  -h, --help            show this help and exit
      --version         show the version and exit
)";
}

std::optional<int> answerProgramOptions(const std::vector<std::string>& args, std::ostream& out) {
    const auto given = [&](std::initializer_list<const char*> names) {
        return std::any_of(args.begin(), args.end(), [&](const std::string& arg) {
            return std::find(names.begin(), names.end(), arg) != names.end();
        });
    };
    if (given({"-h", "--help"})) {
        out << programUsage();
        return 0;
    }
    if (given({"--version"})) {
        out << "mireto " << MIRETO_VERSION << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace mireto

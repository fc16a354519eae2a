#include "cli/convert_command.h"

#include <iostream>
#include <new>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return mireto::cli::runConvertCommand(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        // Whatever the input and the settings make of it, the program ends with a word,
        // never with an abort.
        std::cout.flush();
        std::cerr << "mireto-convert: out of memory: the page these settings make of the "
                     "text is too large\n";
        return 1;
    }
}

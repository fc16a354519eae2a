#include "cli/convert_command.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return mireto::cli::runConvertCommand(args, std::cout, std::cerr);
}

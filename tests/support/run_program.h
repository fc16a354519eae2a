// Runs a built program with arguments and standard input, capturing what it prints.
#pragma once

#include <string>
#include <vector>

namespace mireto::test {

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = {});

} // namespace mireto::test

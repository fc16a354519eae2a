#include "tests/support/run_program.h"

#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace mireto::test {

namespace {

std::string quoted(const std::string& arg) {
    std::string result = "'";
    for (char c : arg) {
        if (c == '\'')
            result += "'\\''";
        else
            result += c;
    }
    return result + "'";
}

} // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input) {
    TempDir dir;
    writeFile(dir / "in", input);
    std::string command = quoted(program);
    for (const std::string& arg : args)
        command += " " + quoted(arg);
    command += " <" + quoted((dir / "in").string()) + " >" + quoted((dir / "out").string()) +
               " 2>" + quoted((dir / "err").string());
    const int raw = std::system(command.c_str());
    ProgramResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(dir / "out");
    result.err = readFile(dir / "err");
    return result;
}

} // namespace mireto::test

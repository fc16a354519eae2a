// The native side of the JavaScript benchmark (bench/web_speed.mjs): writes the bench's
// prose and its rules as files the npm package reads, and times the same pages built
// the same way, through a conversion session started from those bytes.
// Usage: mireto_page_speed write FOLDER BYTES    (FOLDER/prose.txt, FOLDER/rules.ini)
//        mireto_page_speed time FOLDER ROUNDS    (one line a style: its fastest seconds)
// The seconds are this thread's processor time in user mode: on a machine that other
// work shares, waiting for a processor does not count, nor does the kernel's zeroing of
// fresh memory, which a page of over 32 MB costs natively every time (malloc maps it
// anew) and the WebAssembly module only while its memory grows.
#include "bench/bench_rules.h"
#include "bench/text_corpus.h"
#include "convert/conversion_session.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>

using namespace mireto;
using namespace mireto::bench;

namespace {

constexpr std::time_t kMoment = 1031227620;

double threadSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec) * 1e-6;
}

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mireto_page_speed write|time FOLDER BYTES|ROUNDS\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string folder = argv[2];
    const auto count = std::strtoull(argv[3], nullptr, 10);
    if (command == "write") {
        writeAll(folder + "/prose.txt", makeText(TextShape::Prose, count));
        ConversionSession session;
        session.useEndingSet(busyEndings());
        session.useReplacementSet(tenRules());
        writeAll(folder + "/rules.ini", session.settingsBytes());
        return 0;
    }
    if (command != "time")
        return 2;

    const std::string text = readAll(folder + "/prose.txt");
    ConversionSession session;
    if (session.start(readAll(folder + "/rules.ini")) != StartupOutcome::Loaded)
        return 1;
    for (std::size_t style = 0; style < kFormatCount; ++style) {
        session.pickFormat(style);
        double fastest = 1e9;
        for (unsigned long long round = 0; round < count; ++round) {
            const double start = threadSeconds();
            const std::optional<std::string> page = session.buildPage(text, kMoment);
            const double took = threadSeconds() - start;
            if (!page)
                return 1;
            fastest = std::min(fastest, took);
        }
        std::printf("%zu %.6f\n", style, fastest);
    }
    return 0;
}

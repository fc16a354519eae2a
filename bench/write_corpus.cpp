// Writes the benchmark texts to files, so that other tools (GNU sed) can be timed on
// exactly the same bytes.
#include "bench/text_corpus.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace mireto::bench;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mireto_write_corpus FOLDER\n");
        return 2;
    }
    for (TextShape shape : {TextShape::Prose, TextShape::NoCommas, TextShape::OneLine}) {
        for (std::size_t size : {std::size_t{64} << 10, std::size_t{1} << 20, std::size_t{16} << 20,
                                 std::size_t{64} << 20}) {
            const std::string path = std::string(argv[1]) + "/" + std::string(shapeName(shape)) +
                                     "-" + std::to_string(size) + ".txt";
            const std::string text = makeText(shape, size);
            std::ofstream(path, std::ios::binary)
                .write(text.data(), static_cast<std::streamsize>(text.size()));
        }
    }
    return 0;
}

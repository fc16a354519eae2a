// The settings-file reader over any bytes: what it reads, written and read again,
// reads the same.
#include "settings/settings_file.h"

#include <cstdlib>

using namespace mireto;

namespace {

struct Contents {
    FormatSettings settings;
    SettingsStore store;
};

Contents read(std::string_view bytes) {
    Contents contents;
    LineReader lines(bytes);
    ReadFormatSettings(lines, contents.settings);
    contents.store.Load(lines);
    return contents;
}

std::string write(const Contents& contents) {
    std::string out;
    WriteFormatSettings(out, contents.settings);
    contents.store.Save(out);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Contents first = read(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = write(first);
    const Contents second = read(written);
    if (!(second.settings == first.settings) || write(second) != written)
        std::abort();
    return 0;
}

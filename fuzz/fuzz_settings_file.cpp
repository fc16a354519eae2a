// The settings-file reader over any bytes, with the limits start-up applies: what it
// reads, written and read again, reads the same; and what it keeps in memory stays
// within a bound per byte of input.
#include "settings/settings_file.h"

#include <cstdlib>
#include <sanitizer/allocator_interface.h>

using namespace mireto;

namespace {

struct Contents {
    FormatSettings settings;
    SettingsStore store;
    bool complete = false;
};

Contents read(std::string_view bytes) {
    Contents contents;
    contents.complete = ReadSettingsFile(bytes, contents.settings, contents.store);
    return contents;
}

std::string write(const Contents& contents) {
    std::string out;
    WriteFormatSettings(out, contents.settings);
    contents.store.Save(out);
    return out;
}

// The most a byte of input may keep: an empty line of one byte is an ending set of
// empty strings, the largest record.
constexpr std::size_t kBytesPerInputByte = 2 * sizeof(EndingSet);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxSettingsFileBytes)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t before = __sanitizer_get_current_allocated_bytes();
    const Contents first = read(input);
    const std::size_t kept = __sanitizer_get_current_allocated_bytes() - before;
    if (kept > kBytesPerInputByte * size + 4096 || kept > 2 * settingsMemoryAllowance(size))
        std::abort();
    if (!first.complete)
        return 0;

    const std::string written = write(first);
    const Contents second = read(written);
    if (!second.complete || !(second.settings == first.settings) || write(second) != written)
        std::abort();
    return 0;
}

// The settings-file reader over any bytes, with the limits start-up applies: what it
// reads, written and read again, reads the same; the most memory it takes while reading
// stays within a bound per byte of input, and so does the time the reader and the check
// an import makes first take.
#include "fuzz/cpu_time.h"
#include "settings/settings_file.h"
#include "settings/settings_file_check.h"

#include <algorithm>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>

using namespace mireto;

namespace {

// The heap in use and its peak, followed through the sanitizer's allocation hooks.
std::size_t g_inUse = 0;
std::size_t g_peak = 0;

void onMalloc(const volatile void*, std::size_t size) {
    g_inUse += size;
    g_peak = std::max(g_peak, g_inUse);
}

void onFree(const volatile void* pointer) {
    if (pointer)
        g_inUse -= std::min(g_inUse, __sanitizer_get_allocated_size(const_cast<void*>(pointer)));
}

const bool g_hooked = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;

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
    if (!g_hooked)
        std::abort();
    Contents first;
    std::size_t peak = 0;
    bool wellFormed = false;
    fuzz::checkTimePerByte(size, [&] {
        first = {};
        g_peak = g_inUse;
        const std::size_t before = g_inUse;
        first = read(input);
        peak = g_peak - before;
        wellFormed = CheckSettingsFile(input).ok();
    });
    if (peak > kBytesPerInputByte * size + 4096 || peak > 2 * settingsMemoryAllowance(size))
        std::abort();
    if (!first.complete) {
        // A file the check passes is one the reader reads whole.
        if (wellFormed && size <= kMaxSettingsFileBytes / 16)
            std::abort();
        return 0;
    }

    const std::string written = write(first);
    const Contents second = read(written);
    if (!second.complete || !(second.settings == first.settings) || write(second) != written)
        std::abort();
    return 0;
}

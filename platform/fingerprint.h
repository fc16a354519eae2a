// A fingerprint of some bytes (FNV-1a): enough to tell one file's contents from
// another's, and a copy from a damaged one. Not for anything an adversary chooses.
#pragma once

#include <cstdint>
#include <string_view>

namespace mireto {

inline std::uint64_t fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace mireto

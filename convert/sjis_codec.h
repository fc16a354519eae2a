// The program's one converter between Shift_JIS and UTF-8, for every front end.
//
// Decoding is the Encoding Standard's shift_jis decoder, what browsers do with the pages.
// Encoding is that standard's encoder plus the look-alikes that input methods type and
// code page 932 files have always used (〜 ‖ ¢ £ ¬ — as ～ ∥ ￠ ￡ ￢ ―) and the user-defined
// area; convert/sjis_char.h has the rules. A character outside Shift_JIS is never dropped:
// the caller chooses a character reference or a failure that names it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mireto {

// Shift_JIS to UTF-8. A byte or pair that is not Shift_JIS becomes U+FFFD.
std::string sjisToUtf8(std::string_view sjis);

// Shift_JIS to UTF-8; nullopt when any byte or pair is not Shift_JIS.
std::optional<std::string> sjisToUtf8Exact(std::string_view sjis);

// What becomes of a character Shift_JIS cannot hold.
enum class Unmappable {
    CharacterReference, // pages: "&#x1F363;", which the browser shows as the character
    Fail,               // names, words, rules, documents: the encoding fails and says why
};

struct SjisEncoding {
    enum class Status { Ok, Unmappable, InvalidUtf8 };

    Status status = Status::Ok;
    std::string bytes;      // the Shift_JIS text; empty unless status is Ok
    char32_t character = 0; // Unmappable: the first character Shift_JIS cannot hold
    std::size_t offset = 0; // Unmappable, InvalidUtf8: where in the input, in bytes

    explicit operator bool() const { return status == Status::Ok; }
};

// UTF-8 to Shift_JIS.
SjisEncoding utf8ToSjis(std::string_view utf8, Unmappable unmappable);

// The Shift_JIS bytes of `utf8`, or nullopt when it holds a character Shift_JIS cannot
// (or is not UTF-8): for one name, word or rule.
std::optional<std::string> utf8ToSjisExact(std::string_view utf8);

// "U+301C": how a message names a character.
std::string codePointName(char32_t codePoint);

// True when `bytes` read as UTF-8 rather than Shift_JIS: valid UTF-8 holding a byte
// beyond ASCII. Shift_JIS text practically never is valid UTF-8, while plain ASCII is the
// same in both. A byte-order mark counts as UTF-8.
bool readsAsUtf8(std::string_view bytes);

// True when `bytes` are valid UTF-8 (plain ASCII included).
bool isValidUtf8(std::string_view bytes);

} // namespace mireto

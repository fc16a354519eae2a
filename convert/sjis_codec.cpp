#include "convert/sjis_codec.h"

#include "convert/sjis_char.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace mireto {

namespace {

#include "convert/sjis_index_decode.inc"

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

void appendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        // Shift_JIS decodes to the Basic Multilingual Plane only.
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool isAscii(unsigned char byte) {
    return byte < 0x80;
}

// Decodes as the Encoding Standard's shift_jis decoder does; returns how many bytes or
// pairs were not Shift_JIS (each became U+FFFD).
std::size_t decode(std::string_view sjis, std::string& out) {
    out.reserve(out.size() + sjis.size() * 3 / 2);
    std::size_t errors = 0;
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(sjis[i]); };
    for (std::size_t pos = 0; pos < sjis.size();) {
        const unsigned char byte = byteAt(pos);
        if (isAscii(byte) || byte == 0x80) {
            appendUtf8(byte, out);
            ++pos;
            continue;
        }
        if (byte >= 0xA1 && byte <= 0xDF) {
            appendUtf8(0xFF61 - 0xA1 + byte, out);
            ++pos;
            continue;
        }
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (!lead || pos + 1 == sjis.size()) {
            out += kReplacementCharacter;
            ++errors;
            ++pos;
            continue;
        }
        const unsigned char trail = byteAt(pos + 1);
        char32_t codePoint = 0;
        if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC)) {
            const unsigned pointer =
                (byte - (byte < 0xA0 ? 0x81 : 0xC1)) * 188u + trail - (trail < 0x7F ? 0x40 : 0x41);
            if (pointer >= 8836 && pointer <= 10715)
                codePoint = 0xE000 - 8836 + pointer;
            else
                codePoint = kJis0208Index[pointer];
        }
        if (codePoint != 0) {
            appendUtf8(codePoint, out);
            pos += 2;
            continue;
        }
        out += kReplacementCharacter;
        ++errors;
        // An ASCII trail byte is read again on its own, as the standard says.
        pos += isAscii(trail) ? 1 : 2;
    }
    return errors;
}

// The Shift_JIS code of every character of the Basic Multilingual Plane.
using CodeTable = std::array<std::uint16_t, 0x10000>;

const CodeTable& codeTable() {
    static const std::unique_ptr<CodeTable> table = [] {
        auto codes = std::make_unique<CodeTable>();
        for (char32_t codePoint = 0; codePoint < codes->size(); ++codePoint)
            (*codes)[codePoint] = sjis_char::codeOf(codePoint);
        return codes;
    }();
    return *table;
}

void appendReference(char32_t codePoint, std::string& out) {
    char reference[16];
    const int length =
        std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(codePoint));
    out.append(reference, static_cast<std::size_t>(length));
}

} // namespace

std::string sjisToUtf8(std::string_view sjis) {
    std::string out;
    decode(sjis, out);
    return out;
}

std::optional<std::string> sjisToUtf8Exact(std::string_view sjis) {
    std::string out;
    if (decode(sjis, out) != 0)
        return std::nullopt;
    return out;
}

SjisEncoding utf8ToSjis(std::string_view utf8, Unmappable unmappable) {
    const CodeTable& codes = codeTable();
    SjisEncoding result;
    std::string& out = result.bytes;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (isAscii(static_cast<unsigned char>(utf8[pos]))) {
            out += utf8[pos++];
            continue;
        }
        const sjis_char::Utf8Step step = sjis_char::utf8At(utf8, pos);
        if (step.length == 0)
            return {SjisEncoding::Status::InvalidUtf8, {}, 0, pos};
        const std::uint16_t code =
            step.codePoint < codes.size() ? codes[step.codePoint] : sjis_char::kNone;
        if (code == sjis_char::kNone) {
            if (unmappable == Unmappable::Fail)
                return {SjisEncoding::Status::Unmappable, {}, step.codePoint, pos};
            appendReference(step.codePoint, out);
        } else {
            if (code > 0xFF)
                out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
        pos += step.length;
    }
    return result;
}

std::optional<std::string> utf8ToSjisExact(std::string_view utf8) {
    SjisEncoding encoding = utf8ToSjis(utf8, Unmappable::Fail);
    if (!encoding)
        return std::nullopt;
    return std::move(encoding.bytes);
}

std::string codePointName(char32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (isAscii(static_cast<unsigned char>(bytes[pos]))) {
            ++pos;
            continue;
        }
        const std::size_t length = sjis_char::utf8At(bytes, pos).length;
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

bool readsAsUtf8(std::string_view bytes) {
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return !isAscii(static_cast<unsigned char>(c)); });
    return beyondAscii && isValidUtf8(bytes);
}

} // namespace mireto

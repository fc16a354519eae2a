// Shift_JIS search and replace, and the delimiter search, against a plain
// character-by-character reference.
#include "convert/delimiter_search.h"
#include "convert/sjis_text.h"

#include <algorithm>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

using namespace mireto;

std::size_t referenceFind(std::string_view text, std::string_view needle, std::size_t from) {
    for (std::size_t pos = from; pos < text.size(); pos += sjis::charLength(text, pos)) {
        if (!needle.empty() && text.substr(pos, needle.size()) == needle)
            return pos;
    }
    return sjis::npos;
}

// Matches start only on the original text's character boundaries; the text a match
// covers is dropped, whatever characters it cut through.
std::string referenceReplace(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t copiedTo = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += sjis::charLength(text, pos)) {
        if (pos < copiedTo || from.empty() || text.substr(pos, from.size()) != from)
            continue;
        out.append(text.substr(copiedTo, pos - copiedTo));
        out.append(to);
        copiedTo = pos + from.size();
    }
    if (copiedTo < text.size())
        out.append(text.substr(copiedTo));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string needle = input.ConsumeRandomLengthString(4);
    const std::string target = input.ConsumeRandomLengthString(4);
    const std::string text = input.ConsumeRemainingBytesAsString();

    // Every character boundary is a valid place to start.
    for (std::size_t from = 0; from < text.size(); from += sjis::charLength(text, from)) {
        if (sjis::find(text, needle, from) != referenceFind(text, needle, from))
            std::abort();
    }
    // Several two-byte needles at once (the needle's first two bytes, and line breaks).
    if (needle.size() >= 2) {
        const std::string_view needles[] = {std::string_view(needle).substr(0, 2), "\r\n"};
        const DelimiterSearch search(needles);
        DelimiterSearch::Scan scan(search, text);
        for (std::size_t from = 0; from < text.size(); from += sjis::charLength(text, from)) {
            const std::size_t expected = std::min(referenceFind(text, needles[0], from),
                                                  referenceFind(text, needles[1], from));
            if (search.find(text, from) != expected || scan.find(from) != expected)
                std::abort();
        }
        // As the pages search: each time from the character after the last one found,
        // however far ahead that lies.
        DelimiterSearch::Scan onward(search, text);
        for (std::size_t from = 0; from < text.size();) {
            const std::size_t expected = std::min(referenceFind(text, needles[0], from),
                                                  referenceFind(text, needles[1], from));
            if (onward.find(from) != expected)
                std::abort();
            if (expected == sjis::npos)
                break;
            from = expected + sjis::charLength(text, expected);
        }
    }

    std::string replaced = text;
    sjis::replaceAll(replaced, needle, target);
    if (replaced != referenceReplace(text, needle, target))
        std::abort();

    // The same text handed over in pieces of every size from 1 to 7 bytes.
    for (std::size_t piece = 1; piece <= 7; ++piece) {
        sjis::StreamReplacer replacer(needle, target);
        std::string streamed;
        for (std::size_t at = 0; at < text.size(); at += piece) {
            replacer.input().append(std::string_view(text).substr(at, piece));
            replacer.drain(streamed, at + piece >= text.size());
        }
        if (text.empty())
            replacer.drain(streamed, true);
        if (streamed != replaced)
            std::abort();
    }
    return 0;
}

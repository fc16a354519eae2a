// A Shift_JIS page handed over piece by piece, passed on as the UTF-8 page piece by
// piece, so that neither page is ever whole in memory. The head is held until it ends,
// for its charset declaration to be rewritten; after it, each piece goes on decoded as
// it comes, but for a character that a piece splits, which waits for its second byte.
// What comes out is exactly pageToUtf8() of the whole page.
#pragma once

#include "convert/converter.h"

#include <string>
#include <string_view>

namespace mireto::cli {

class Utf8PageStream {
public:
    // `out` takes the UTF-8 pieces and must outlive the stream.
    explicit Utf8PageStream(const PageSink& out) : m_out(out) {}

    // The next piece of the Shift_JIS page; false once `out` refused a piece.
    bool put(std::string_view sjisPiece);
    // The page ended: what is still held goes on. False when `out` refused a piece.
    bool finish();

private:
    bool passOn(std::string_view sjisText);

    const PageSink& m_out;
    // The head until it ends; after it, at most the lead byte of a split character.
    std::string m_held;
    bool m_headDone = false;
    bool m_failed = false;
};

} // namespace mireto::cli

// Documents on disk are bytes; the editor holds Unicode. This is the one place that
// turns one into the other, remembering the encoding and line ends a file came with so
// that saving gives the same bytes back.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace mireto {

enum class TextEncoding { ShiftJis, Utf8 };
enum class LineEnd { CrLf, Lf };

// What a document is saved as. A new document is Shift_JIS with CR LF line ends.
struct DocumentFormat {
    TextEncoding encoding = TextEncoding::ShiftJis;
    LineEnd lineEnd = LineEnd::CrLf;
    bool byteOrderMark = false; // UTF-8 only

    friend bool operator==(const DocumentFormat&, const DocumentFormat&) = default;
};

struct DecodedDocument {
    QString text; // lines separated by "\n"
    DocumentFormat format;
    // False when saving the text unchanged would not give back the file's bytes:
    // bytes no encoding could read, characters Shift_JIS writes in one standard way
    // only, mixed line ends, or a paragraph separator (U+2029), which the editor turns
    // into a line break.
    bool exact = true;
};

// Text that reads as UTF-8 (readsAsUtf8 of convert/sjis_codec.h: valid UTF-8 beyond
// ASCII) is UTF-8; anything else reads as Shift_JIS. The line ends are those of the first line end;
// CR LF and a lone CR both become "\n".
DecodedDocument decodeDocument(std::string_view bytes);

// The bytes of `text` in `format`; nullopt when the format is Shift_JIS and a character
// has no Shift_JIS form.
std::optional<std::string> encodeDocument(const QString& text, const DocumentFormat& format);

// "Shift_JIS" or "UTF-8", for the status bar.
QString encodingName(TextEncoding encoding);

} // namespace mireto

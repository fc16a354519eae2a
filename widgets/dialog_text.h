// Between the template dialogs' controls and the store. The dialogs' own Japanese texts
// are UTF-8 literals that only Qt shows; what the user types goes back to Shift_JIS for
// the store and is refused, with a message naming the character, when Shift_JIS cannot
// hold it, so that nothing is stored mangled.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace mireto {

// A UTF-8 literal of the program as Qt shows it.
QString uiText(std::string_view text);

// A UTF-8 message with its one "%s" replaced by `name`.
QString withName(std::string_view message, const QString& name);

// The Shift_JIS bytes of `text` made one line (widgets/single_line.h); nullopt, after
// telling the user over `owner` in a message box with `caption` which character has no
// Shift_JIS form.
std::optional<std::string> storableText(QWidget* owner, const QString& text,
                                        const QString& caption);

} // namespace mireto

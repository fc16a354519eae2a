// Between the template dialogs' controls and the store. The dialogs' own Japanese texts
// are Shift_JIS literals like every text of the program; what the user types goes back
// to Shift_JIS for the store and is refused, with a message, when Shift_JIS cannot hold
// it, so that nothing is stored mangled.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace mireto {

// A Shift_JIS literal of the program as Qt shows it.
QString uiText(std::string_view sjis);

// A Shift_JIS message with its one "%s" replaced by `name`.
QString withName(std::string_view sjisTemplate, const QString& name);

// The Shift_JIS bytes of `text` made one line (widgets/single_line.h); nullopt, after
// telling the user over `owner` in a message box with `caption`, when a character has no
// Shift_JIS form.
std::optional<std::string> storableText(QWidget* owner, const QString& text,
                                        const QString& caption);

} // namespace mireto

// The one-line texts Mireto.ini stores, a field each on a line of their own: names,
// ending words, rule sources and targets, page settings. A line break in one would split
// its line at the next start, so none reaches the store.
//
// One rule for every such field: line breaks (CR, LF, CR LF, U+2028, U+2029, NEL, VT,
// FF) become a space, a run of them one space, and go altogether at either end of the
// text; a tab becomes a space; any other control character is dropped. The rule applies
// as text enters a field, typed, pasted or dropped, so the field shows what is stored.
#pragma once

#include <QString>

class QLineEdit;

namespace mireto {

// `text` made one line by the rule above. When `cursor` is given, it is moved to the
// same place in the result.
QString singleLineText(const QString& text, int* cursor = nullptr);

// Makes `edit` hold only what singleLineText gives. (A text it corrects cannot be undone
// past: Qt starts the edit's undo history afresh whenever its validator changes a text.)
void keepSingleLine(QLineEdit* edit);

} // namespace mireto

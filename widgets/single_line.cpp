#include "widgets/single_line.h"

#include <QLineEdit>
#include <QValidator>

namespace mireto {

namespace {

bool isLineBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// A validator that never refuses: it rewrites what enters the edit, which Qt then shows.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        input = singleLineText(input, &pos);
        return Acceptable;
    }
};

} // namespace

QString singleLineText(const QString& text, int* cursor) {
    QString line;
    line.reserve(text.size());
    bool pendingBreak = false;
    int movedCursor = cursor ? -1 : 0;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        if (cursor && at == *cursor)
            movedCursor = static_cast<int>(line.size()) + (pendingBreak ? 1 : 0);
        if (at == text.size())
            break;
        const QChar c = text.at(at);
        if (isLineBreak(c)) {
            // Only between text: none at the start, and a pending one at the end goes.
            pendingBreak = !line.isEmpty();
            continue;
        }
        const bool tab = c == u'\t';
        if (!tab && c.category() == QChar::Other_Control)
            continue;
        if (pendingBreak) {
            line += u' ';
            pendingBreak = false;
        }
        line += tab ? QChar(u' ') : c;
    }
    if (cursor)
        *cursor = std::min(movedCursor < 0 ? static_cast<int>(line.size()) : movedCursor,
                           static_cast<int>(line.size()));
    return line;
}

void keepSingleLine(QLineEdit* edit) {
    edit->setValidator(new SingleLineValidator(edit));
}

} // namespace mireto

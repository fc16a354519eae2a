// Driving the program's dialogs in Qt tests: a scripted stand-in for the message boxes,
// and the user's own actions on lists, name fields and boxes.
#pragma once

#include "tests/support/qt_text.h"
#include "widgets/message_box.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTest>

namespace mireto::test {

// Records every message box and answers the questions (Yes/No, Yes/No/Cancel) from
// `answers`, in order. A question with no answer left counts as unexpected and is
// answered No, or Cancel where it offers that.
class MessageScript {
public:
    MessageScript() {
        setMessageHandlerForTesting([this](QWidget*, const MessageRequest& request) {
            shown.append(request);
            if (request.buttons == MessageButtons::Ok)
                return MessageAnswer::Ok;
            if (answers.isEmpty()) {
                unexpectedQuestion = true;
                return request.buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
                                                                      : MessageAnswer::No;
            }
            return answers.takeFirst();
        });
    }
    ~MessageScript() { setMessageHandlerForTesting({}); }
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    QStringList texts() const {
        QStringList result;
        for (const MessageRequest& request : shown)
            result.append(request.text);
        return result;
    }

    QList<MessageRequest> shown;
    QList<MessageAnswer> answers;
    bool unexpectedQuestion = false;
};

// The child of `parent` named `name`; fails the test (returning null) when missing.
template <typename Widget> Widget* child(QObject* parent, const char* name) {
    auto* found = parent->findChild<Widget*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

// Types `text` at the cursor as key presses, any script included.
inline void typeText(QWidget* widget, const QString& text) {
    for (qsizetype at = 0; at < text.size();) {
        // A character beyond the BMP is one key press of two UTF-16 units.
        const qsizetype width = text.at(at).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(at, width),
                            Qt::NoModifier);
        at += width;
    }
}

// Replaces a line edit's text the way a user does: select all, then type.
inline void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        typeText(box, text);
}

inline void retype(QComboBox* combo, const QString& text) {
    retype(combo->lineEdit(), text);
}

// Replaces a line edit's text by pasting `text` over all of it, as from another program.
inline void paste(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Picks item `item` from a combo box's drop-down list with the mouse.
inline void pick(QComboBox* combo, int item) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QRect place = view->visualRect(view->model()->index(item, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
}

// Clicks the button named `name` in `dialog`.
inline void click(QObject* dialog, const char* name) {
    QTest::mouseClick(child<QPushButton>(dialog, name), Qt::LeftButton);
}

// Whether `box`, as laid out, shows `text` whole: put there, it is not scrolled when the
// cursor goes from its start to its end. The box's own text is left as it was.
inline bool showsWhole(QLineEdit* box, const QString& text) {
    const QString before = box->text();
    box->setText(text);
    // A line edit scrolls when it paints.
    auto cursorAt = [box](qsizetype position) {
        box->setCursorPosition(static_cast<int>(position));
        box->repaint();
        return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    };
    const int start = cursorAt(0);
    const int end = cursorAt(text.size());
    const bool whole =
        end - start >= box->fontMetrics().horizontalAdvance(text) && cursorAt(0) == start;
    box->setText(before);
    return whole;
}

inline QStringList items(const QComboBox* combo) {
    QStringList result;
    for (int item = 0; item < combo->count(); ++item)
        result.append(combo->itemText(item));
    return result;
}

} // namespace mireto::test

// Driving the settings dialogs through their real widgets, and catching their messages.
#pragma once

#include "tests/support/dialog_driver.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <vector>

namespace mireto::test {

// The dialog's child of that object name; fails the test when there is none.
template <class Widget> Widget* child(const QWidget& parent, const char* name) {
    Widget* widget = child<Widget>(const_cast<QWidget*>(&parent), name);
    if (!widget)
        qFatal("no child widget named %s", name);
    return widget;
}

// The texts of the dialog's labels, in no particular order.
inline QStringList labelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// Clicks a check box or radio button on its indicator, which a click in the middle of
// a box stretched across the dialog would miss.
inline void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

inline void clickOk(QDialog& dialog) {
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
}

inline void clickCancel(QDialog& dialog) {
    QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
}

// Answers every message box with OK and remembers it, while it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        setMessageHandlerForTesting([this](QWidget*, const MessageRequest& request) {
            requests.push_back(request);
            return MessageAnswer::Ok;
        });
    }
    ~MessageRecorder() { setMessageHandlerForTesting({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<MessageRequest> requests;
};

} // namespace mireto::test

#include "widgets/message_box.h"

#include <QMessageBox>

namespace mireto {

namespace {

MessageHandler& testHandler() {
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer showMessage(QWidget* parent, const MessageRequest& request) {
    if (testHandler())
        return testHandler()(parent, request);
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (request.buttons == MessageButtons::YesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    else if (request.buttons == MessageButtons::YesNoCancel)
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(toQt(request.icon), request.caption, request.text, buttons, parent);
    const int answer = box.exec();
    switch (request.buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    if (answer == QMessageBox::Yes)
        return MessageAnswer::Yes;
    return answer == QMessageBox::No ? MessageAnswer::No : MessageAnswer::Cancel;
}

void setMessageHandlerForTesting(MessageHandler handler) {
    testHandler() = std::move(handler);
}

} // namespace mireto

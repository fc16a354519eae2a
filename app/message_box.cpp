#include "app/message_box.h"

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
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QMessageBox box(toQt(request.icon), request.caption, request.text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void setMessageHandlerForTesting(MessageHandler handler) {
    testHandler() = std::move(handler);
}

} // namespace mireto

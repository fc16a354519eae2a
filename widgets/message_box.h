// The program's message boxes, through one seam that tests replace.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace mireto {

enum class MessageIcon { None, Information, Question, Warning };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Shows a modal message box and returns the user's answer (No when a Yes/No box is
// closed otherwise, Cancel when a Yes/No/Cancel box is).
MessageAnswer showMessage(QWidget* parent, const MessageRequest& request);

// Replaces the message boxes, for tests; an empty handler restores the real ones.
using MessageHandler = std::function<MessageAnswer(QWidget* parent, const MessageRequest&)>;
void setMessageHandlerForTesting(MessageHandler handler);

} // namespace mireto

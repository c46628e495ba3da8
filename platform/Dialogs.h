#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ptlog {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning, Question };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
  QString text;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  QString title;  // empty: the program's own title
};

// A modal message box. Only Yes goes on after a question.
MessageAnswer ShowMessage(QWidget* parent, const MessageRequest& request);

inline void ShowOkMessage(QWidget* parent, const QString& text) {
  ShowMessage(parent, {text, MessageButtons::Ok, MessageIcon::None, {}});
}
inline bool AskYesNo(QWidget* parent, const QString& text) {
  return ShowMessage(parent, {text, MessageButtons::YesNo, MessageIcon::Question, {}}) == MessageAnswer::Yes;
}

// Stands in for the message boxes (tests answer them without a modal loop).
// An empty function restores the real boxes.
using MessageHandler = std::function<MessageAnswer(const MessageRequest&)>;
void SetMessageHandler(MessageHandler handler);

}  // namespace ptlog

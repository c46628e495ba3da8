#pragma once

#include <QString>

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

}  // namespace ptlog

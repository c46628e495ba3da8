#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace ptlog {

namespace {
MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

MessageAnswer ShowMessage(QWidget* parent, const MessageRequest& request) {
  MessageRequest shown = request;
  if (shown.title.isEmpty()) shown.title = QApplication::applicationName();
  if (Handler()) return Handler()(shown);

  QMessageBox box(parent);
  box.setWindowTitle(shown.title);
  // Our message texts break lines with a lone CR (error number, CR, text); Qt wants LF.
  QString text = shown.text;
  text.replace(QChar(13), QChar(10));
  box.setText(text);
  box.setIcon(shown.icon == MessageIcon::Warning    ? QMessageBox::Warning
              : shown.icon == MessageIcon::Question ? QMessageBox::Question
                                                    : QMessageBox::NoIcon);
  if (shown.buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageAnswer::Ok;
}

}  // namespace ptlog

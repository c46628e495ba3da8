#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"

namespace ptlog::test {

// A scratch folder with helpers to write and read files as bytes.
class Scratch {
public:
  Scratch();
  QString Path(const QString& name) const;
  QString Write(const QString& name, const QByteArray& bytes) const;
  static QByteArray Read(const QString& path);

private:
  QTemporaryDir dir_;
};

QByteArray ShiftJis(const QString& text);

// Answers the message boxes while alive and keeps what they said.
class MessageRecorder {
public:
  explicit MessageRecorder(MessageAnswer answer = MessageAnswer::Ok);
  ~MessageRecorder();
  std::vector<MessageRequest> shown;
  MessageAnswer answer;
};

// Answers the file dialogs with the next queued path and keeps the requests.
class FileDialogRecorder {
public:
  FileDialogRecorder();
  ~FileDialogRecorder();
  std::vector<QString> answers;
  std::vector<FileDialogRequest> asked;
};

}  // namespace ptlog::test

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace ptlog::test {

// A scratch folder with helpers to write and read files as bytes.
class Scratch {
public:
  Scratch();
  QString Path(const QString& name) const;
  QString Write(const QString& name, const QByteArray& bytes) const;
  static QByteArray Read(const QString& path);
  QString Root() const { return dir_.path(); }

private:
  QTemporaryDir dir_;
};

QByteArray ShiftJis(const QString& text);

// File access of this thread goes through an ordinary user's permission
// checks until the end of the scope, so read-only files and folders refuse
// writes even when the tests run as root. The scratch folder is opened for
// that user to pass through.
class AsOrdinaryUser {
public:
  explicit AsOrdinaryUser(const Scratch& scratch);
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
  bool switched_ = false;
};

// Removes write permission from a file or folder, and gives it back.
void SetWritable(const QString& path, bool writable);

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

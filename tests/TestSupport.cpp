#include "TestSupport.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ptlog::test {

Scratch::Scratch() { dir_.setAutoRemove(true); }

QString Scratch::Path(const QString& name) const { return dir_.filePath(name); }

QString Scratch::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = Path(name);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

QByteArray Scratch::Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ShiftJis(const QString& text) { return EncodeSettingText(text); }

MessageRecorder::MessageRecorder(MessageAnswer a) : answer(a) {
  SetMessageHandler([this](const MessageRequest& request) {
    shown.push_back(request);
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer;
  });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler({}); }

FileDialogRecorder::FileDialogRecorder() {
  SetFileDialogHandler([this](const FileDialogRequest& request) {
    asked.push_back(request);
    if (answers.empty()) return QString();
    const QString next = answers.front();
    answers.erase(answers.begin());
    return next;
  });
}

FileDialogRecorder::~FileDialogRecorder() { SetFileDialogHandler({}); }

}  // namespace ptlog::test

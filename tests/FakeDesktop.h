#pragma once

#include "platform/Desktop.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace ptlog::test {

// Answers the windows' questions without modal loops and keeps what they
// asked: message boxes get `answer`, file dialogs the next queued path (or
// `fileAnswer` when set); the printers are `printers`; ending counts.
class FakeDesktop : public Desktop {
public:
  explicit FakeDesktop(const QString& jpegLibrary = {}) { UseJpegLibrary(jpegLibrary); }
  void UseJpegLibrary(const QString& path) { jpeg_ = std::make_unique<JpegLibrary>(QStringList{path}); }

  QString RunFileDialog(QWidget*, const FileDialogRequest& request) override {
    asked.push_back(request);
    if (fileAnswer) return fileAnswer(request);
    return answers.empty() ? QString() : answers.takeFirst();
  }
  QStringList PrinterNames() const override { return printers; }
  QString DefaultPrinterName() const override { return printers.value(0); }
  bool SavetoJPEG(const QString& bmp, const QString& jpg, quint8 quality, qint32 flag) override {
    return jpeg_->SavetoJPEG(bmp, jpg, quality, flag);
  }

  // The texts of the message boxes shown so far.
  QStringList Texts() const {
    QStringList texts;
    for (const MessageRequest& m : shown) texts << m.text;
    return texts;
  }

  MessageAnswer answer = MessageAnswer::Yes;
  std::vector<MessageRequest> shown;
  QStringList answers;
  std::function<QString(const FileDialogRequest&)> fileAnswer;
  std::vector<FileDialogRequest> asked;
  QStringList printers;
  int ended = 0;

protected:
  MessageAnswer ShowMessageBox(QWidget*, const MessageRequest& request) override {
    shown.push_back(request);
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
  }
  void Quit() override { ++ended; }

private:
  std::unique_ptr<JpegLibrary> jpeg_;
};

}  // namespace ptlog::test

#pragma once

#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"
#include "platform/Printers.h"
#include "platform/SaveJpg.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ptlog {

// What the windows ask of the desktop: message boxes, file dialogs, the
// printers, the JPEG library and the end of the program. The programs use
// the system's; tests pass one that answers without modal loops.
class Desktop {
public:
  Desktop() = default;
  virtual ~Desktop() = default;
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // A modal message box; an empty title is the program's own. Only Yes
  // goes on after a question.
  MessageAnswer Message(QWidget* parent, MessageRequest request);
  void ShowOk(QWidget* parent, const QString& text);
  bool AskYesNo(QWidget* parent, const QString& text);

  // The chosen full path; empty when the user cancels.
  virtual QString RunFileDialog(QWidget* parent, const FileDialogRequest& request);

  // The installed printers in the printing system's order, and its default.
  virtual QStringList PrinterNames() const;
  virtual QString DefaultPrinterName() const;
  // The program's current printer: the system's default at the first use,
  // then the one picked in the printer dialog until the program ends.
  PrinterChoice& Printer();
  // The first installed printer named exactly `name`, else the PDF file for
  // its entry's name, becomes current; false (and no change) otherwise.
  bool MakeCurrentPrinter(const QString& name);

  // SavetoJPEG of the SaveJPG library; false when it is missing or did not write.
  virtual bool SavetoJPEG(const QString& bmpPath, const QString& jpgPath, quint8 quality, qint32 flag);

  // Ends the program at once, abandoning whatever is in progress: waits that
  // process events check Ending() and give up.
  void EndProgram();
  bool Ending() const { return ending_; }

protected:
  virtual MessageAnswer ShowMessageBox(QWidget* parent, const MessageRequest& request);
  virtual void Quit();

private:
  std::optional<PrinterChoice> printer_;
  JpegLibrary jpeg_;
  bool ending_ = false;
};

// The desktop the programs run on.
Desktop& SystemDesktop();

}  // namespace ptlog

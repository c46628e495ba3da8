#include "platform/Desktop.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinterInfo>

namespace ptlog {

namespace {
// "Text Files (*.txt)|*.txt" -> "Text Files (*.txt)"; "*.*" means every file.
QStringList QtFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    const qsizetype paren = name.indexOf('(');
    if (paren >= 0) name = name.left(paren).trimmed();
    QString pattern = parts[i + 1];
    pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    filters << QStringLiteral("%1 (%2)").arg(name, pattern.replace(';', ' '));
  }
  return filters;
}
}  // namespace

MessageAnswer Desktop::Message(QWidget* parent, MessageRequest request) {
  if (request.title.isEmpty()) request.title = QApplication::applicationName();
  return ShowMessageBox(parent, request);
}

void Desktop::ShowOk(QWidget* parent, const QString& text) {
  Message(parent, {text, MessageButtons::Ok, MessageIcon::None, {}});
}

bool Desktop::AskYesNo(QWidget* parent, const QString& text) {
  return Message(parent, {text, MessageButtons::YesNo, MessageIcon::Question, {}}) == MessageAnswer::Yes;
}

MessageAnswer Desktop::ShowMessageBox(QWidget* parent, const MessageRequest& request) {
  QMessageBox box(parent);
  box.setWindowTitle(request.title);
  // Our message texts break lines with a lone CR (error number, CR, text); Qt wants LF.
  QString text = request.text;
  text.replace(QChar(13), QChar(10));
  box.setText(text);
  box.setIcon(request.icon == MessageIcon::Warning    ? QMessageBox::Warning
              : request.icon == MessageIcon::Question ? QMessageBox::Question
                                                    : QMessageBox::NoIcon);
  if (request.buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageAnswer::Ok;
}

QString Desktop::RunFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent);
  const QStringList filters = QtFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  if (request.kind == FileDialogRequest::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QFileInfo proposed(request.fileName);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
  } else if (request.kind == FileDialogRequest::Folder) {
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(request.folder);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  // Paths the programs keep and show are written as the system writes them.
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QStringList Desktop::PrinterNames() const { return QPrinterInfo::availablePrinterNames(); }
QString Desktop::DefaultPrinterName() const { return QPrinterInfo::defaultPrinterName(); }

PrinterChoice& Desktop::Printer() {
  if (!printer_) printer_ = DefaultPrinterChoice(PrinterNames(), DefaultPrinterName());
  return *printer_;
}

bool Desktop::MakeCurrentPrinter(const QString& name) {
  const std::optional<PrinterChoice> chosen = ChoosePrinter(PrinterNames(), name);
  if (chosen) printer_ = chosen;
  return chosen.has_value();
}

bool Desktop::SavetoJPEG(const QString& bmpPath, const QString& jpgPath, quint8 quality, qint32 flag) {
  return jpeg_.SavetoJPEG(bmpPath, jpgPath, quality, flag);
}

void Desktop::EndProgram() {
  ending_ = true;
  Quit();
}

void Desktop::Quit() { QCoreApplication::exit(0); }

Desktop& SystemDesktop() {
  static Desktop desktop;
  return desktop;
}

}  // namespace ptlog

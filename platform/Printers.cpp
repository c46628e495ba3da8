#include "platform/Printers.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>
#include <limits>

#ifdef Q_OS_WIN
#include <QPrinterInfo>
#else
#include <cups/cups.h>
#endif

namespace ptlog {

namespace {
bool PaintPdfFile(const QString& path, const QString& documentName,
                  const std::function<bool(QPrinter&)>& paint) {
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(path);
  pdf.setDocName(documentName);
  return paint(pdf);
}

PrinterChoice PdfFileChoice(const QStringList& installed) {
  return {kPdfFileEntry, int(installed.size()), true};
}
}  // namespace

PrinterChoice DefaultPrinterChoice(const QStringList& installed, const QString& systemDefault) {
  if (systemDefault.isEmpty()) return PdfFileChoice(installed);
  return {systemDefault, int(installed.indexOf(systemDefault)), false};
}

std::optional<PrinterChoice> ChoosePrinter(const QStringList& installed, const QString& name) {
  const qsizetype i = installed.indexOf(name);
  if (i >= 0) return PrinterChoice{name, int(i), false};
  if (name == kPdfFileEntry) return PdfFileChoice(installed);
  return std::nullopt;
}

bool PrintJob(const PrinterChoice& printer, const QString& documentName,
              const std::function<bool(QPrinter&)>& paint, const QString& pdfFile) {
#ifdef Q_OS_WIN
  if (!printer.toFile) {
    // The system's own printer driver; a printer removed since it was
    // listed is refused here.
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer.name);
    if (info.isNull()) return false;
    QPrinter native(info, QPrinter::HighResolution);
    native.setDocName(documentName);
    return paint(native) && native.printerState() != QPrinter::Error;
  }
#endif
  QTemporaryFile spool;
  if (!spool.open()) return false;
  spool.close();
  if (!PaintPdfFile(spool.fileName(), documentName, paint)) return false;
#ifndef Q_OS_WIN
  if (!printer.toFile) {
    // The page goes to the queue as a PDF we submit ourselves: only then is a
    // refused job seen (the toolkit's own submission drops the answer).
    // A printer instance "queue/instance" prints on its queue.
    const QByteArray queue = printer.name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    return cupsPrintFile(queue.constData(), QFile::encodeName(spool.fileName()).constData(),
                         documentName.toLocal8Bit().constData(), 0, nullptr) > 0;
  }
#endif
  // The user's file is replaced only by a whole report.
  const std::optional<QByteArray> pdf = ReadRegularFile(spool.fileName(), std::numeric_limits<qint32>::max());
  return pdf && WriteFileAtomically(pdfFile, *pdf) == WriteResult::Written;
}

}  // namespace ptlog

#include "platform/Printers.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <limits>

#include <cups/cups.h>

namespace ptlog {

namespace {
std::function<QStringList()>& ListForTests() {
  static std::function<QStringList()> list;
  return list;
}

struct Current {
  bool chosen = false;  // the system's default is looked up at the first use
  QString name;
  int index = -1;
  bool toFile = false;  // the PDF file entry: the user names the file for each job
};

void MakePdfFileCurrent(Current& current) {
  current.name = kPdfFileEntry;
  current.index = int(InstalledPrinterNames().size());
  current.toFile = true;
}

Current& Printer() {
  static Current current;
  if (!current.chosen) {
    current.chosen = true;
    current.name = ListForTests() ? ListForTests()().value(0) : QPrinterInfo::defaultPrinterName();
    current.index = int(InstalledPrinterNames().indexOf(current.name));
    // Without a printer, reports still go to PDF files.
    if (current.name.isEmpty()) MakePdfFileCurrent(current);
  }
  return current;
}

bool PaintPdfFile(const QString& path, const QString& documentName,
                  const std::function<bool(QPrinter&)>& paint) {
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(path);
  pdf.setDocName(documentName);
  return paint(pdf);
}
}  // namespace

QStringList InstalledPrinterNames() {
  return ListForTests() ? ListForTests()() : QPrinterInfo::availablePrinterNames();
}

QString CurrentPrinterName() { return Printer().name; }
int CurrentPrinterIndex() { return Printer().index; }
bool CurrentPrinterAsksForFile() { return Printer().toFile; }

bool MakeCurrentPrinter(const QString& name) {
  const QStringList names = InstalledPrinterNames();
  for (int i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    Current& current = Printer();
    current.name = name;
    current.index = i;
    current.toFile = false;
    return true;
  }
  if (name != kPdfFileEntry) return false;
  MakePdfFileCurrent(Printer());
  return true;
}

bool PrintJob(const QString& documentName, const std::function<bool(QPrinter&)>& paint,
              const QString& pdfFile) {
  const Current& current = Printer();
  QTemporaryFile spool;
  if (!spool.open()) return false;
  spool.close();
  if (!PaintPdfFile(spool.fileName(), documentName, paint)) return false;
  if (current.toFile) {
    // The user's file is replaced only by a whole report.
    const std::optional<QByteArray> pdf =
        ReadRegularFile(spool.fileName(), std::numeric_limits<qint32>::max());
    return pdf && WriteFileAtomically(pdfFile, *pdf) == WriteResult::Written;
  }
  // The page goes to the queue as a PDF we submit ourselves: only then is a
  // refused job seen (the toolkit's own submission drops the answer).
  // A printer instance "queue/instance" prints on its queue.
  const QByteArray queue = current.name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
  const int job = cupsPrintFile(queue.constData(), QFile::encodeName(spool.fileName()).constData(),
                                documentName.toLocal8Bit().constData(), 0, nullptr);
  return job > 0;
}

void SetPrinterListForTests(std::function<QStringList()> list) {
  ListForTests() = std::move(list);
  Printer().chosen = false;
}

}  // namespace ptlog

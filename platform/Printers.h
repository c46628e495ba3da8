#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;

namespace ptlog {

// The entry after the installed printers that prints into a PDF file.
inline const QString kPdfFileEntry = QStringLiteral("PDFファイル");

struct PrinterChoice {
  QString name;
  int index = -1;       // among the installed printers; theirs count for the PDF entry
  bool toFile = false;  // the PDF file entry: the user names the file for each job
};

// The system's default printer among those installed; without a printer,
// reports still go to PDF files.
PrinterChoice DefaultPrinterChoice(const QStringList& installed, const QString& systemDefault);
// The first installed printer named exactly `name`, else the PDF file for
// its entry's name; nothing otherwise.
std::optional<PrinterChoice> ChoosePrinter(const QStringList& installed, const QString& name);

// Prints one job, painted by paint onto the printer it is given, on `printer`
// under the given document name. False when painting failed or the printing
// system did not take the job (a queue that rejects jobs, a printer removed
// since it was listed).
// pdfFile: where the PDF file printer writes this job (replaced only by a
// whole report).
bool PrintJob(const PrinterChoice& printer, const QString& documentName,
              const std::function<bool(QPrinter&)>& paint, const QString& pdfFile = QString());

}  // namespace ptlog

#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;

namespace ptlog {

// The installed printers in the printing system's order (CUPS on Linux).
QStringList InstalledPrinterNames();

// The program's current printer: the system's default at start, then the
// one picked in the printer dialog until the program ends.
QString CurrentPrinterName();
int CurrentPrinterIndex();  // in InstalledPrinterNames(); -1 for none
// The entry after the installed printers that prints into a PDF file.
inline const QString kPdfFileEntry = QStringLiteral("PDFファイル");
// Whether the current printer is the PDF file, named by the user for each job.
bool CurrentPrinterAsksForFile();
// The first installed printer named exactly `name` becomes current, else
// the PDF file for its entry's name; false (and no change) otherwise.
bool MakeCurrentPrinter(const QString& name);

// Prints one job, painted by paint onto the printer it is given, on the
// current printer under the given document name. False when painting failed
// or the printing system did not take the job (a queue that rejects jobs, a
// printer removed since it was listed).
// pdfFile: where the PDF file printer writes this job (replaced only by a
// whole report).
bool PrintJob(const QString& documentName, const std::function<bool(QPrinter&)>& paint,
              const QString& pdfFile = QString());

// Tests: a printer list of their own.
void SetPrinterListForTests(std::function<QStringList()> list);

}  // namespace ptlog

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
// Whether there is anything to print on: an installed printer, or a PDF file.
bool HavePrinter();
// The first installed printer named exactly `name` becomes current; false
// (and no change) when there is none.
bool MakeCurrentPrinter(const QString& name);

// Prints one job, painted by paint onto the printer it is given, on the
// current printer under the given document name. False when painting failed
// or the printing system did not take the job (a queue that rejects jobs, a
// printer removed since it was listed).
bool PrintJob(const QString& documentName, const std::function<bool(QPrinter&)>& paint);

// Tests: a printer list of their own, and a printer that writes a PDF file.
void SetPrinterListForTests(std::function<QStringList()> list);
void UsePdfFilePrinter(const QString& path);

}  // namespace ptlog

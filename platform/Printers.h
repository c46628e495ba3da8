#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;

namespace ptlog {

// The installed printers in the platform's order (CUPS on Linux).
QStringList InstalledPrinterNames();

// The program's current printer: the platform's default at start, then the
// one picked in the printer dialog until the program ends.
QPrinter& CurrentPrinter();
QString CurrentPrinterName();
int CurrentPrinterIndex();  // in InstalledPrinterNames(); -1 for none
// Whether there is anything to print on: an installed printer, or a PDF file.
bool HavePrinter();
// The first installed printer named exactly `name` becomes current; false
// (and no change) when there is none.
bool MakeCurrentPrinter(const QString& name);

// Tests: a printer list of their own, and a printer that writes a PDF file.
void SetPrinterListForTests(std::function<QStringList()> list);
void UsePdfFilePrinter(const QString& path);

}  // namespace ptlog

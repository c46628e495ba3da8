#include "platform/Printers.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace ptlog {

namespace {
std::function<QStringList()>& ListForTests() {
  static std::function<QStringList()> list;
  return list;
}

struct Current {
  std::unique_ptr<QPrinter> printer;
  QString name;
  int index = -1;
  bool toFile = false;
};

Current& Printer() {
  static Current current;
  if (!current.printer) {
    current.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    current.name = ListForTests() ? ListForTests()().value(0) : QPrinterInfo::defaultPrinterName();
    if (!current.name.isEmpty()) current.printer->setPrinterName(current.name);
    current.index = int(InstalledPrinterNames().indexOf(current.name));
  }
  return current;
}
}  // namespace

QStringList InstalledPrinterNames() {
  return ListForTests() ? ListForTests()() : QPrinterInfo::availablePrinterNames();
}

QPrinter& CurrentPrinter() { return *Printer().printer; }
QString CurrentPrinterName() { return Printer().name; }
int CurrentPrinterIndex() { return Printer().index; }
bool HavePrinter() { return Printer().toFile || !InstalledPrinterNames().isEmpty(); }

bool MakeCurrentPrinter(const QString& name) {
  const QStringList names = InstalledPrinterNames();
  for (int i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    Current& current = Printer();
    current.name = name;
    current.index = i;
    current.printer->setOutputFormat(QPrinter::NativeFormat);
    current.printer->setPrinterName(name);
    current.toFile = false;
    return true;
  }
  return false;
}

void SetPrinterListForTests(std::function<QStringList()> list) {
  ListForTests() = std::move(list);
  Printer().printer.reset();
}

void UsePdfFilePrinter(const QString& path) {
  Current& current = Printer();
  current.printer->setOutputFormat(QPrinter::PdfFormat);
  current.printer->setOutputFileName(path);
  current.name = path;
  current.index = -1;
  current.toFile = true;
}

}  // namespace ptlog

// Printing one record to a PDF file from the printer dialog and saving its snapshot, through the
// window's buttons with every question answered: medians of several runs.
#include "mainwin/Form1.h"
#include "output/PrinterDialog.h"
#include "tests/FakeDesktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ptlog;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  const QString record = QString::fromLocal8Bit(argv[1]);
  // No printer: the dialog's PDF file entry, as a user without one prints.
  test::FakeDesktop desktop(QString::fromLocal8Bit(argv[2]));
  QTemporaryDir dir;
  QString next;
  desktop.fileAnswer = [&](const FileDialogRequest&) { return next; };

  Form1 form(desktop, LocateSettings(dir.path(), {"bench", dir.filePath("s.ini")}, QString()));
  form.Load();
  form.show();
  next = record;
  form.Command2->click();

  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::vector<double> print, snapshot;
  for (int i = 0; i < 9; ++i) {
    QTimer::singleShot(0, [&] {
      if (auto* d = form.findChild<PrinterDialog*>("frmPRT")) d->Command1[0]->click();
    });
    next = dir.filePath(QStringLiteral("page%1.pdf").arg(i));
    QElapsedTimer t;
    t.start();
    form.Command3->click();
    print.push_back(t.nsecsElapsed() / 1e6);
    next = dir.filePath(QStringLiteral("shot%1.jpg").arg(i));
    t.restart();
    form.Command6->click();
    snapshot.push_back(t.nsecsElapsed() / 1e6);
  }
  std::printf("print_to_pdf_ms %.1f\nsnapshot_ms %.1f\n", median(print), median(snapshot));
  return 0;
}

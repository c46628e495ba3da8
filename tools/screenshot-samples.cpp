// Loads each record file of a folder into the main window and saves a
// picture of the window per file, to look at what a user sees.
//   screenshot-samples <record folder> <picture folder> [settings file]
#include "mainwin/Form1.h"
#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"
#include "tests/FakeDesktop.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOG"));
  if (argc < 3) {
    std::fprintf(stderr, "usage: screenshot-samples <records> <pictures> [settings]\n");
    return 2;
  }
  const QDir records(QString::fromLocal8Bit(argv[1]));
  const QDir pictures(QString::fromLocal8Bit(argv[2]));
  QDir().mkpath(pictures.path());
  ptlog::test::FakeDesktop desktop;

  const QString settings = argc > 3 ? QString::fromLocal8Bit(argv[3]) : pictures.filePath("none.ini");
  ptlog::Form1 form(
      desktop,
      ptlog::LocateSettings(QCoreApplication::applicationDirPath(), {"x", settings}, QString()));
  form.Load();
  form.show();
  QApplication::processEvents();
  for (const QFileInfo& file : records.entryInfoList(QDir::Files, QDir::Name)) {
    desktop.answers = {file.absoluteFilePath()};
    desktop.shown.clear();
    form.Command2->click();
    for (const ptlog::MessageRequest& m : desktop.shown) std::printf("  message: %s\n", m.text.toUtf8().constData());
    QApplication::processEvents();
    const QString out = pictures.filePath(file.completeBaseName() + ".png");
    form.grab().save(out);
    std::printf("%s -> %s\n", file.fileName().toUtf8().constData(), out.toUtf8().constData());
  }
  return 0;
}

#include "mainwin/Form1.h"
#include "platform/ProgramEnd.h"
#include "platform/SessionEnd.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOG"));

  ptlog::Form1 form(ptlog::LocateSettingsOfThisProgram());
  ptlog::WatchSessionEnd([&form] { form.Unload(); });
  form.Load();
  if (ptlog::ProgramEnding()) return 0;
  form.show();
  return app.exec();
}

#include "tool/ToolForm.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOGINI"));

  ptlog::ToolForm form(ptlog::LocateSettingsOfThisProgram());
  form.Startup();
  form.show();
  return app.exec();
}

#include "tool/ToolForm.h"

#include "platform/Dialogs.h"
#include "settings/SettingsFile.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOGINI"));

  if (!ptlog::ArgumentsNameFiles(argc, argv)) {
    ptlog::ShowOkMessage(nullptr, ptlog::kUnspellableSettingsName);
    return 1;
  }
  ptlog::ToolForm form(ptlog::LocateSettingsOfThisProgram());
  form.Startup();
  form.show();
  return app.exec();
}

#include "mainwin/Form1.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"
#include "platform/FontFamilies.h"
#include "platform/ProgramStart.h"
#include "platform/SessionEnd.h"
#include "settings/SettingsFile.h"

#include <QApplication>

int main(int argc, char** argv) {
  if (const auto ended = ptlog::AnswerBeforeWindows(
          argc, argv,
          {"kestra-ptlog",
           "Downloads, shows, prints and files the records of the KESTRA PTLOG pressure-test logger."}))
    return *ended;
  QApplication app(argc, argv);
  ptlog::LoadJapaneseTranslation(app);
  ptlog::LoadBundledFonts();
  ptlog::FitLayoutToScreen(ptlog::Form1::DesignSize());
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOG"));

  if (!ptlog::ArgumentsNameFiles(argc, argv)) {
    ptlog::SystemDesktop().ShowOk(nullptr, ptlog::kUnspellableSettingsName);
    return 1;
  }
  ptlog::Desktop& desktop = ptlog::SystemDesktop();
  ptlog::Form1 form(desktop, ptlog::LocateSettingsOfThisProgram());
  ptlog::WatchSessionEnd([&form] { form.Unload(); });
  form.Load();
  if (desktop.Ending()) return 0;
  form.show();
  return app.exec();
}

#include "tool/ToolForm.h"

#include "platform/Desktop.h"
#include "platform/Fonts.h"
#include "platform/FontFamilies.h"
#include "platform/ProgramStart.h"
#include "settings/SettingsFile.h"

#include <QApplication>

int main(int argc, char** argv) {
  if (const auto ended = ptlog::AnswerBeforeWindows(
          argc, argv, {"kestra-ptlogini", "Sets the serial port and the data folder of KESTRA PTLOG."}))
    return *ended;
  QApplication app(argc, argv);
  ptlog::LoadJapaneseTranslation(app);
  ptlog::LoadBundledFonts();
  ptlog::FitLayoutToScreen(ptlog::ToolForm::DesignSize());
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOGINI"));

  if (!ptlog::ArgumentsNameFiles(argc, argv)) {
    ptlog::SystemDesktop().ShowOk(nullptr, ptlog::kUnspellableSettingsName);
    return 1;
  }
  ptlog::ToolForm form(ptlog::SystemDesktop(), ptlog::LocateSettingsOfThisProgram());
  form.Startup();
  form.show();
  return app.exec();
}

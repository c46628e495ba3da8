#include "librarywin/RecordsForm.h"

#include "library/RecordIndex.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"
#include "platform/FontFamilies.h"
#include "platform/ProgramStart.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
  if (const auto ended = ptlog::AnswerBeforeWindows(
          argc, argv,
          {"kestra-ptlog-records",
           "Lists every record of the KESTRA PTLOG data folder: find, check, rename, report, tidy."}))
    return *ended;
  QApplication app(argc, argv);
  ptlog::LoadJapaneseTranslation(app);
  ptlog::LoadBundledFonts();
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOG 記録一覧"));

  if (!ptlog::ArgumentsNameFiles(argc, argv)) {
    ptlog::SystemDesktop().ShowOk(nullptr, ptlog::kUnspellableSettingsName);
    return 1;
  }
  ptlog::RecordsForm form(ptlog::SystemDesktop(), ptlog::LocateSettingsOfThisProgram(),
                          ptlog::RecordIndex::DefaultPath());
  // Its first size fits a laptop's screen too; the layout keeps it usable.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    form.resize(form.size().boundedTo(screen->availableGeometry().size().shrunkBy(ptlog::kFrameAllowance)));
  form.show();
  return app.exec();
}

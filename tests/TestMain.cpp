#include <gtest/gtest.h>
#include <QApplication>

#include "platform/FontFamilies.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
  // The offscreen platform reads font files from one folder: the system's.
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
    qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOG"));
  // As the programs do: the Mincho font beside them (Windows).
  ptlog::LoadBundledFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

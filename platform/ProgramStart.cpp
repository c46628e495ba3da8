#include "platform/ProgramStart.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ptlog {

std::optional<int> AnswerBeforeWindows(int argc, char** argv, const ProgramInfo& info) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", info.command, PTLOG_VERSION);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::printf(
        "Usage: %s [SETTINGS-FILE]\n%s\n\n"
        "Without SETTINGS-FILE an installed program uses ~/.config/KESTRA PTLOG/KESTRA PTLOG.ini;\n"
        "a copied one uses \"KESTRA PTLOG.ini\" beside itself when it is there or that folder\n"
        "can be written, else the same file in ~/.config.\n"
        "  --help     show this text\n  --version  show the version\n",
        info.command, info.summary);
    return 0;
  }
#ifdef Q_OS_LINUX
  const auto set = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
  if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "%s: no display to open the window on (DISPLAY is not set)\n", info.command);
    return 1;
  }
#endif
  return std::nullopt;
}

void LoadJapaneseTranslation(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace ptlog

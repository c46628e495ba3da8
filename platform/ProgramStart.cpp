#include "platform/ProgramStart.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ptlog {

namespace {

#ifdef Q_OS_WIN
const char* const kConfigHome = "%APPDATA%";
const char* const kConfigFile = "%APPDATA%\\KESTRA PTLOG\\KESTRA PTLOG.ini";
#else
const char* const kConfigHome = "~/.config";
const char* const kConfigFile = "~/.config/KESTRA PTLOG/KESTRA PTLOG.ini";
#endif

// A window program has no console of its own: the text goes to the command
// prompt that started it, or, started from Explorer, into a message box.
void Answer(const QString& text) {
#ifdef Q_OS_WIN
  const QString crlf = QString(text).replace(QLatin1String("\n"), QLatin1String("\r\n"));
  DWORD written = 0, mode = 0;
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out && out != INVALID_HANDLE_VALUE && !GetConsoleMode(out, &mode)) {  // into a file or a pipe
    const QByteArray bytes = crlf.toLocal8Bit();
    WriteFile(out, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
  } else if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    WriteConsoleW(console, reinterpret_cast<const wchar_t*>(crlf.utf16()), DWORD(crlf.size()), &written, nullptr);
    CloseHandle(console);
    FreeConsole();
  } else {
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.utf16()), L"KESTRA PTLOG", MB_OK);
  }
#else
  std::fputs(text.toLocal8Bit().constData(), stdout);
#endif
}

}  // namespace

std::optional<int> AnswerBeforeWindows(int argc, char** argv, const ProgramInfo& info) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    Answer(QStringLiteral("%1 %2\n").arg(QLatin1String(info.command), QLatin1String(PTLOG_VERSION)));
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    Answer(QString::asprintf(
        "Usage: %s [SETTINGS-FILE]\n%s\n\n"
        "Without SETTINGS-FILE an installed program uses %s;\n"
        "a copied one uses \"KESTRA PTLOG.ini\" beside itself when it is there or that folder\n"
        "can be written, else the same file in %s.\n"
        "  --help     show this text\n  --version  show the version\n",
        info.command, info.summary, kConfigFile, kConfigHome));
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

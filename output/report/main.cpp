// kestra-ptlog-report: test reports (PDF) and sample tables (CSV) of many
// records at once, without a window.
#include "output/report/Report.h"
#include "output/report/ReportLook.h"
#include "platform/FileAccess.h"
#include "platform/FontFamilies.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <cstdio>
#include <optional>
#include <cstdlib>
#include <cstring>

using namespace ptlog;

namespace {

const char* const kUsage =
    "Usage: kestra-ptlog-report [--pdf FILE] [--csv FOLDER] [--scale 1|2] [--details on|off]\n"
    "                           [--settings FILE] RECORD-OR-FOLDER...\n"
    "Writes one A4 landscape test report page per record into FILE (PDF) and/or one table of its\n"
    "samples per record into FOLDER (NAME.csv, UTF-8, CR LF). A folder stands for its record files\n"
    "(*.txt), sorted by name. A damaged record is named and skipped. The report's title, company,\n"
    "logo, seals and signature boxes come from [Report Set] of the programs' settings file, or of\n"
    "the --settings FILE.\n"
    "Exit status: 0 all written, 1 some skipped or not written, 2 usage error.\n"
    "  --help     show this text\n  --version  show the version\n";

struct Options {
  QString pdf, csv, settings;
  ReportChoices choices;
  QStringList inputs;
};

bool Parse(const QStringList& args, Options& o) {
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == QLatin1String("--pdf") && hasValue)
      o.pdf = args[++i];
    else if (a == QLatin1String("--csv") && hasValue)
      o.csv = args[++i];
    else if (a == QLatin1String("--settings") && hasValue)
      o.settings = args[++i];
    else if (a == QLatin1String("--scale") && hasValue && (args[i + 1] == "1" || args[i + 1] == "2"))
      o.choices.scale1MPa = args[++i] == QLatin1String("1");
    else if (a == QLatin1String("--details") && hasValue && (args[i + 1] == "on" || args[i + 1] == "off"))
      o.choices.details = args[++i] == QLatin1String("on");
    else if (a.startsWith(QLatin1String("--")))
      return false;
    else
      o.inputs << a;
  }
  return !o.inputs.isEmpty() && (!o.pdf.isEmpty() || !o.csv.isEmpty());
}

QStringList RecordFiles(const QStringList& inputs) {
  QStringList files;
  for (const QString& input : inputs) {
    if (!QFileInfo(input).isDir()) {
      files << input;
      continue;
    }
    const QDir dir(input);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
      files << dir.filePath(name);
  }
  return files;
}

void Say(const QString& text) {
#ifdef Q_OS_WIN
  // A console shows the text as it is; a file or a pipe gets UTF-8, as on Linux.
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  const QString line = text + QStringLiteral("\r\n");
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(err, &mode)) {
    WriteConsoleW(err, reinterpret_cast<const wchar_t*>(line.utf16()), DWORD(line.size()), &written, nullptr);
  } else {
    const QByteArray bytes = line.toUtf8();
    WriteFile(err, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
  }
#else
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0)) {
    std::fputs(argv[1][2] == 'h' ? kUsage : "kestra-ptlog-report " PTLOG_VERSION "\n", stdout);
    return 0;
  }
  // No window: the fonts and the PDF writer need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
  // Without a window system the fonts are read from their folder: the system's.
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
  QGuiApplication app(argc, argv);
  LoadBundledFonts();
  Options o;
  if (!Parse(QCoreApplication::arguments(), o)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  // A missing table folder is made, as long as the folder it goes in is there.
  if (!o.csv.isEmpty() && !QFileInfo(o.csv).isDir()) {
    const QFileInfo csv(o.csv);
    if (csv.exists() || !QFileInfo(csv.absolutePath()).isDir() || !QDir().mkdir(o.csv)) {
      Say(QString::fromLatin1(csv.exists() ? "kestra-ptlog-report: %1 is not a folder"
                                           : "kestra-ptlog-report: %1 does not exist and cannot be made")
              .arg(o.csv));
      return 2;
    }
  }

  const QStringList files = RecordFiles(o.inputs);
  ReportLook look(ReadReportSettings(o.settings.isEmpty() ? LocateSettingsOfThisProgram()
                                                         : SettingsLocation{QString(), o.settings}));
  std::optional<ReportPdf> pdf;
  if (!o.pdf.isEmpty() && !pdf.emplace(o.pdf, &look).Open()) {
    Say(QStringLiteral("kestra-ptlog-report: cannot write %1").arg(o.pdf));
    return 1;
  }

  const QDate today = QDate::currentDate();
  int skipped = 0;
  for (int i = 0; i < files.size(); ++i) {
    if (files.size() > 1) Say(QStringLiteral("[%1/%2] %3").arg(i + 1).arg(files.size()).arg(files[i]));
    QString why;
    const std::unique_ptr<ReportRecord> record = LoadReportRecord(files[i], o.choices, why);
    if (!record) {
      Say(QStringLiteral("skipped %1: %2").arg(files[i], why));
      ++skipped;
      continue;
    }
    if (pdf && !pdf->AddPage(*record, today)) break;
    if (!o.csv.isEmpty() && !WriteRecordCsv(o.csv, files[i], *record)) {
      Say(QStringLiteral("kestra-ptlog-report: cannot write a table of %1 into %2").arg(files[i], o.csv));
      ++skipped;
    }
  }
  // An image that cannot be used leaves its place empty; the pages are whole.
  for (const QString& problem : look.TakeProblems()) Say(problem);
  if (pdf && !pdf->Commit()) {
    Say(QStringLiteral("kestra-ptlog-report: no report written to %1").arg(o.pdf));
    return 1;
  }
  return skipped == 0 ? 0 : 1;
}

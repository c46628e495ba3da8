#include "settings/SettingsFile.h"

#include "platform/FileAccess.h"
#include "settings/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ptlog {

namespace {
const QChar kSeparator = QDir::separator();
const QString kFileName = QStringLiteral("KESTRA PTLOG.ini");
}  // namespace

QString WithTrailingSeparator(const QString& folder) {
  QString native = QDir::toNativeSeparators(folder);
  if (!native.endsWith(kSeparator)) native += kSeparator;
  return native;
}

SettingsLocation LocateSettings(const QString& programFolder, const QStringList& arguments,
                                const QString& configHome, bool installed) {
  SettingsLocation where;
  where.ProgramFolderPath = WithTrailingSeparator(programFolder);
  where.Installed = installed;
  // The command line is one text: a path with blanks typed without quotes
  // still names one file.
  const QString argument = arguments.mid(1).join(QLatin1Char(' '));
  if (!argument.isEmpty()) {
    where.SettingsFilePath = argument;
    return where;
  }
  const QString beside = where.ProgramFolderPath + kFileName;
  const bool portable = !installed && (QFileInfo::exists(beside) || MayWrite(where.ProgramFolderPath));
  if (portable || configHome.isEmpty()) {
    where.SettingsFilePath = beside;
  } else {
    where.SettingsFilePath =
        WithTrailingSeparator(configHome) + QStringLiteral("KESTRA PTLOG") + kSeparator + kFileName;
    where.CreateFolder = true;
  }
  return where;
}

SettingsLocation LocateSettingsOfThisProgram() {
#ifdef Q_OS_WIN
  // Installed under Program Files: the user's application-data folder.
  const QString configHome = qEnvironmentVariable("APPDATA");
#else
  const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
  const QString folder = QCoreApplication::applicationDirPath();
  const bool installed = QFileInfo::exists(folder + QStringLiteral("/" PTLOG_INSTALLED_MARKER));
  return LocateSettings(folder, QCoreApplication::arguments(), configHome, installed);
}

bool ArgumentsNameFiles(int argc, const char* const* argv) {
#ifdef Q_OS_WIN
  // The toolkit takes the command line as UTF-16: every name is spelt.
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  return true;
#endif
  for (int i = 1; i < argc; ++i) {
    const QByteArray given(argv[i]);
    if (QFile::encodeName(QFile::decodeName(given)) != given) return false;
  }
  return true;
}

QString ReadSetting(const SettingsLocation& where, const QString& section, const QString& key,
                    const QString& defaultText) {
  return ReadProfileString(where.SettingsFilePath, section, key, defaultText);
}

bool WriteSetting(const SettingsLocation& where, const QString& section, const QString& key,
                  const QString& value) {
  return WriteSettings(where, {{section, key, value}});
}

bool WriteSettings(const SettingsLocation& where, const std::vector<SettingWrite>& writes) {
  if (where.CreateFolder) QDir().mkpath(QFileInfo(where.SettingsFilePath).absolutePath());
  return WriteProfileStrings(where.SettingsFilePath, writes);
}

QString DefaultDataPath(const QString& programFolderPath) {
#ifdef Q_OS_WIN
  return programFolderPath.left(1) + QStringLiteral(":\\KESTRA PTLOG DATA\\");
#else
  Q_UNUSED(programFolderPath);
  return WithTrailingSeparator(QDir::homePath()) + QStringLiteral("KESTRA PTLOG DATA/");
#endif
}

}  // namespace ptlog

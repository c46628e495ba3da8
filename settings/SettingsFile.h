#pragma once

#include <QString>
#include <QStringList>

#include "settings/IniFile.h"

#include <vector>

namespace ptlog {

// Where the settings file is, worked out once at start-up.
struct SettingsLocation {
  QString ProgramFolderPath;  // ends in the path separator
  QString SettingsFilePath;
  bool CreateFolder = false;  // the user's own settings folder, made at the first write
  bool Installed = false;     // installed by the package or installer: never writes beside itself
};

QString WithTrailingSeparator(const QString& folder);

// The command-line text after the program name, when it is not empty, is the
// settings file exactly as given. Otherwise "KESTRA PTLOG.ini" in the program
// folder, when it is there or the folder can be written (a copied, portable
// installation); else, and always for an installed program, the same name
// in the user's configuration folder (configHome + "/KESTRA PTLOG/"). Both
// programs apply the same rule, so they share one file.
SettingsLocation LocateSettings(const QString& programFolder, const QStringList& arguments,
                                const QString& configHome, bool installed = false);

// The running program's own location rule. A program is an installed one
// when the package or the installer put its marker beside it: whoever runs
// it, root or an administrator too, it never writes into its own folder.
SettingsLocation LocateSettingsOfThisProgram();

// False when an argument is not in the file-name encoding: its text would
// name another file, which the programs would then read and write instead.
bool ArgumentsNameFiles(int argc, const char* const* argv);
inline const QString kUnspellableSettingsName = QStringLiteral("設定ファイル名に使えない文字が有ります。");

QString ReadSetting(const SettingsLocation& where, const QString& section, const QString& key,
                    const QString& defaultText);
// The result may be ignored: a failed write changes nothing.
bool WriteSetting(const SettingsLocation& where, const QString& section, const QString& key,
                  const QString& value);
// Several keys in one replacement of the file.
bool WriteSettings(const SettingsLocation& where, const std::vector<SettingWrite>& writes);

// Default "DataPath": on Windows the folder on the program's drive; without
// drive letters, in the user's home.
QString DefaultDataPath(const QString& programFolderPath);

namespace keys {
inline const QString PortSet = QStringLiteral("Port Set");
inline const QString DataSet = QStringLiteral("Data Set");
inline const QString DisplaySet = QStringLiteral("Display Set");
inline const QString CommPort = QStringLiteral("CommPort");
inline const QString CommSettings = QStringLiteral("CommSettings");
inline const QString ReadRetrial = QStringLiteral("ReadRetrial");
// Not written by either program: names a device such as /dev/ttyUSB0 directly.
inline const QString CommDevice = QStringLiteral("CommDevice");
inline const QString DataPath = QStringLiteral("DataPath");
inline const QString ProgramPath = QStringLiteral("ProgramPath");
// The folder the record library lists, when it is not DataPath.
inline const QString LibraryPath = QStringLiteral("LibraryPath");
inline const QString Scale = QStringLiteral("Scale");
inline const QString Model = QStringLiteral("Model");
inline const QString Details = QStringLiteral("Details");
}  // namespace keys

}  // namespace ptlog

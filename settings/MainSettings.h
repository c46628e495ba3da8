#pragma once

#include "settings/SettingsFile.h"

#include <QString>
#include <QtGlobal>

namespace ptlog {

// The main program's settings, read once at start-up. Values not yet read
// when a read fails keep these initial values.
struct MainSettings {
  qint16 CommPort = 0;
  QString CommSettings;
  qint16 ReadRetrial = 0;
  QString DataPath;
  QString ProgramPath;
  QString CommDevice;  // optional: the serial device itself, when set
};

inline const QString kDefaultCommSettings = QStringLiteral("9600,n,8,1");
inline const QString kScale1MPa = QStringLiteral("1MPa");
inline const QString kScale2MPa = QStringLiteral("2MPa");
inline const QString kModelAir = QStringLiteral("空圧");
inline const QString kModelWater = QStringLiteral("水圧");

// Reads "CommPort" to "ProgramPath" in order into `settings`; a conversion
// failure throws PlatformError and leaves the later values unread.
void ReadMainSettings(const SettingsLocation& where, MainSettings& settings);

// The details box state from "Details": 1 when the key is absent; a text
// that is not 0, 1 or 2 throws (13, 6 or 380).
int ReadDetailsState(const SettingsLocation& where);

struct DisplayChoices {
  bool scale1MPa = true;
  bool air = true;
  int detailsState = 1;
};
void WriteDisplayChoices(const SettingsLocation& where, const DisplayChoices& choices);
// The main window's last display choices; a value it would refuse reads as its default.
DisplayChoices ReadDisplayChoices(const SettingsLocation& where);

}  // namespace ptlog

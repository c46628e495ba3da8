#include "settings/MainSettings.h"

#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "settings/Conversions.h"
#include "settings/IniFile.h"

namespace ptlog {

void ReadMainSettings(const SettingsLocation& where, MainSettings& settings) {
  settings.CommPort =
      WholeTextToInteger16(ReadSetting(where, keys::PortSet, keys::CommPort, QStringLiteral("1")));
  settings.CommSettings = ReadSetting(where, keys::PortSet, keys::CommSettings, kDefaultCommSettings);
  settings.ReadRetrial =
      ToInteger16(LeadingNumber(ReadSetting(where, keys::PortSet, keys::ReadRetrial, QStringLiteral("3"))));
  settings.DataPath =
      ReadSetting(where, keys::DataSet, keys::DataPath, DefaultDataPath(where.ProgramFolderPath));
  settings.ProgramPath = ReadSetting(where, keys::DataSet, keys::ProgramPath, where.ProgramFolderPath);
  settings.CommDevice = ReadSetting(where, keys::PortSet, keys::CommDevice, QString());
}

int ReadDetailsState(const SettingsLocation& where) {
  // A text no file can hold tells an absent key from any stored value.
  static const QString absent = QStringLiteral("\n");
  const QString text = ReadSetting(where, keys::DisplaySet, keys::Details, absent);
  if (text == absent) return 1;
  const int state = WholeTextToInteger16(text);
  if (state < 0 || state > 2) throw PlatformError(ErrInvalidPropertyValue);
  return state;
}

void WriteDisplayChoices(const SettingsLocation& where, const DisplayChoices& choices) {
  // Three separate writes, as each key is its own access; failures are silent.
  WriteSetting(where, keys::DisplaySet, keys::Scale, choices.scale1MPa ? kScale1MPa : kScale2MPa);
  WriteSetting(where, keys::DisplaySet, keys::Model, choices.air ? kModelAir : kModelWater);
  WriteSetting(where, keys::DisplaySet, keys::Details, QString::number(choices.detailsState));
}

DisplayChoices ReadDisplayChoices(const SettingsLocation& where) {
  DisplayChoices choices;
  choices.scale1MPa = ReadSetting(where, keys::DisplaySet, keys::Scale, kScale1MPa) == kScale1MPa;
  choices.air = ReadSetting(where, keys::DisplaySet, keys::Model, kModelAir) == kModelAir;
  try {
    choices.detailsState = ReadDetailsState(where);
  } catch (const PlatformError&) {
  }
  return choices;
}

}  // namespace ptlog

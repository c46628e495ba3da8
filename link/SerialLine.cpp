#include "link/SerialLine.h"

#include "platform/Errors.h"

#include <QStringList>

namespace ptlog {

PlatformError PortError(int number) {
  switch (number) {
    case ErrPortAlreadyOpen: return {number, QStringLiteral("ポートは既に開かれています。")};
    case ErrPortSettings: return {number, QStringLiteral("通信ポートの状態を設定できません。")};
    case ErrPortNotOpen: return {number, QStringLiteral("ポートが開いていないときは無効な操作です。")};
    default: return PlatformError(number);
  }
}

LineSettings ParseLineSettings(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != 4) throw PlatformError(ErrInvalidPropertyValue);
  bool ok[3];
  LineSettings s;
  s.baud = parts[0].trimmed().toInt(&ok[0]);
  const QString parity = parts[1].trimmed().toLower();
  s.dataBits = parts[2].trimmed().toInt(&ok[1]);
  s.stopBits = parts[3].trimmed().toDouble(&ok[2]);
  if (!ok[0] || !ok[1] || !ok[2] || s.baud <= 0 || parity.size() != 1 ||
      !QStringLiteral("neoms").contains(parity) || s.dataBits < 5 || s.dataBits > 8 ||
      (s.stopBits != 1 && s.stopBits != 1.5 && s.stopBits != 2))
    throw PlatformError(ErrInvalidPropertyValue);
  s.parity = parity.at(0).toLatin1();
  return s;
}

QString PortDeviceName(int portNumber, const QString& device) {
  if (!device.isEmpty()) return device;
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(portNumber);
#else
  return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

}  // namespace ptlog

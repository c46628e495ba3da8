#include "link/SerialPort.h"

#include "platform/Errors.h"
#include "platform/FileAccess.h"
#include "platform/Rounding.h"

#include <QStringList>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace ptlog {

namespace {
constexpr int ErrPortAlreadyOpen = 8005;
constexpr int ErrPortSettings = 8015;
constexpr int ErrPortNotOpen = 8018;
constexpr int ErrPortPermission = 70;

QString PortErrorDescription(int number) {
  switch (number) {
    case ErrPortAlreadyOpen: return QStringLiteral("ポートは既に開かれています。");
    case ErrPortSettings: return QStringLiteral("通信ポートの状態を設定できません。");
    case ErrPortNotOpen: return QStringLiteral("ポートが開いていないときは無効な操作です。");
    default: return ErrorDescription(number);
  }
}

QSerialPort::Parity ToParity(char letter) {
  switch (letter) {
    case 'e': return QSerialPort::EvenParity;
    case 'o': return QSerialPort::OddParity;
    case 'm': return QSerialPort::MarkParity;
    case 's': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
  }
}
}  // namespace

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

SerialPort::SerialPort() {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] { OnReadyRead(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError e) { OnError(e); });
}

void SerialPort::OnError(QSerialPort::SerialPortError error) {
  // An unplugged adapter reports a resource error; a line whose far end
  // closed (a pseudo-terminal) fails every read. Either way the device is
  // gone: nothing more can come, and the next run opens it anew.
  if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) || !port_.isOpen()) return;
  port_.close();
  pending_.clear();
  if (OnCommEvent) OnCommEvent(CommEventDeviceLost);
}

void SerialPort::Configure(int portNumber, const QString& settings, const QString& device) {
  settings_ = ParseLineSettings(settings);
  deviceName_ = portNumber < 1 && device.isEmpty() ? QString() : PortDeviceName(portNumber, device);
}

void SerialPort::Open() {
  if (port_.isOpen()) throw PlatformError(ErrPortAlreadyOpen, PortErrorDescription(ErrPortAlreadyOpen));
  if (deviceName_.isEmpty()) throw PlatformError(ErrInvalidPortNumber);
  port_.setPortName(deviceName_);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto error = port_.error();
    port_.clearError();
    if (error == QSerialPort::DeviceNotFoundError) throw PlatformError(ErrInvalidPortNumber);
    if (error == QSerialPort::PermissionError) {
      // The toolkit says the same for a port in use by another program; the
      // user must learn which of the two it is.
      if (!MayWrite(deviceName_))
        throw PlatformError(ErrPortPermission, QStringLiteral("ポート %1 を使う権限が有りません。\r"
                                                              "dialout グループのユーザーで使ってください。")
                                                   .arg(deviceName_));
      throw PlatformError(ErrPortAlreadyOpen, PortErrorDescription(ErrPortAlreadyOpen));
    }
    throw PlatformError(ErrPortSettings, PortErrorDescription(ErrPortSettings));
  }
  const bool applied = port_.setBaudRate(settings_.baud) &&
                       port_.setDataBits(QSerialPort::DataBits(settings_.dataBits)) &&
                       port_.setParity(ToParity(settings_.parity)) &&
                       port_.setStopBits(settings_.stopBits == 2     ? QSerialPort::TwoStop
                                         : settings_.stopBits == 1.5 ? QSerialPort::OneAndHalfStop
                                                                     : QSerialPort::OneStop) &&
                       port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!applied) {
    port_.close();
    throw PlatformError(ErrPortSettings, PortErrorDescription(ErrPortSettings));
  }
  // RTS off; a pseudo-terminal has no modem lines and refuses, which is fine.
  port_.setRequestToSend(false);
  port_.clearError();
  marks_ = LineMarkDecoder(settings_.parity != 'n');
  MarkLineErrors();
  pending_.clear();
}

void SerialPort::MarkLineErrors() {
#ifdef Q_OS_UNIX
  // Have the driver mark breaks, framing and parity errors in the data, so
  // they reach the line-error messages.
  termios tio{};
  const int fd = int(port_.handle());
  if (fd < 0 || tcgetattr(fd, &tio) != 0) return;
  tio.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | ISTRIP);
  tio.c_iflag |= PARMRK;
  if (settings_.parity != 'n') tio.c_iflag |= INPCK;
  tcsetattr(fd, TCSANOW, &tio);
#endif
}

void SerialPort::Close() {
  if (port_.isOpen()) port_.close();
  pending_.clear();
}

void SerialPort::Write(const QByteArray& text) {
  if (!port_.isOpen()) throw PlatformError(ErrPortNotOpen, PortErrorDescription(ErrPortNotOpen));
  port_.write(text);
}

QByteArray SerialPort::ReadAll() {
  QByteArray all;
  all.swap(pending_);
  return all;
}

void SerialPort::OnReadyRead() {
  const LineMarkDecoder::Result got = marks_.Feed(port_.readAll());
  pending_ += got.data;
  if (OnCommEvent) {
    for (int code : got.events) OnCommEvent(code);
    if (!got.data.isEmpty()) OnCommEvent(CommEventReceive);
  }
}

}  // namespace ptlog

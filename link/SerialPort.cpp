#include "link/SerialPort.h"

#include "platform/Errors.h"
#include "platform/FileAccess.h"
#include "platform/Rounding.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace ptlog {

namespace {
constexpr int ErrPortPermission = 70;
}  // namespace

PortSettings ToPortSettings(const LineSettings& line) {
  const QSerialPort::Parity parity = line.parity == 'e'   ? QSerialPort::EvenParity
                                     : line.parity == 'o' ? QSerialPort::OddParity
                                     : line.parity == 'm' ? QSerialPort::MarkParity
                                     : line.parity == 's' ? QSerialPort::SpaceParity
                                                          : QSerialPort::NoParity;
  const QSerialPort::StopBits stop = line.stopBits == 2     ? QSerialPort::TwoStop
                                     : line.stopBits == 1.5 ? QSerialPort::OneAndHalfStop
                                                            : QSerialPort::OneStop;
  return {line.baud, QSerialPort::DataBits(line.dataBits), parity, stop};
}

std::vector<PortInfo> AvailablePorts() {
  std::vector<PortInfo> ports;
  // The /dev/serial/by-id name of a device, when it has one: it stays the
  // same whichever order adapters are plugged in.
  const QFileInfoList stable = QDir(QStringLiteral("/dev/serial/by-id")).entryInfoList(QDir::System | QDir::Files);
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
    QString path = port.systemLocation();
    for (const QFileInfo& link : stable)
      if (link.canonicalFilePath() == QFileInfo(path).canonicalFilePath()) path = link.absoluteFilePath();
    QStringList about{port.portName()};
    for (const QString& part : {port.description(), port.manufacturer()})
      if (!part.isEmpty()) about << part;
    ports.push_back({path, about.join(QStringLiteral(", "))});
  }
  return ports;
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
  if (port_.isOpen()) throw PortError(ErrPortAlreadyOpen);
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
      throw PortError(ErrPortAlreadyOpen);
    }
    throw PortError(ErrPortSettings);
  }
  const PortSettings wanted = ToPortSettings(settings_);
  const bool applied = port_.setBaudRate(wanted.baud) && port_.setDataBits(wanted.dataBits) &&
                       port_.setParity(wanted.parity) && port_.setStopBits(wanted.stopBits) &&
                       port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!applied) {
    port_.close();
    throw PortError(ErrPortSettings);
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
  if (!port_.isOpen()) throw PortError(ErrPortNotOpen);
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

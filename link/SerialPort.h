#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "link/WinSerialPort.h"
namespace ptlog {
using SerialPort = WinSerialPort;
}  // namespace ptlog
#else

#include "link/LineMarks.h"
#include "link/SerialLine.h"

#include <QSerialPort>

namespace ptlog {

// The line settings as the toolkit's port takes them. A pseudo-terminal
// keeps neither parity nor data bits, so they are checked here.
struct PortSettings {
  qint32 baud;
  QSerialPort::DataBits dataBits;
  QSerialPort::Parity parity;
  QSerialPort::StopBits stopBits;
  bool operator==(const PortSettings&) const = default;
};
PortSettings ToPortSettings(const LineSettings& line);

// The serial line on a real device (or a pseudo-terminal) through QSerialPort.
class SerialPort : public SerialLine {
public:
  SerialPort();

  void Configure(int portNumber, const QString& settings, const QString& device) override;
  bool IsOpen() const override { return port_.isOpen(); }
  void Open() override;
  void Close() override;
  void Write(const QByteArray& text) override;
  int PendingCount() const override { return int(pending_.size()); }
  QByteArray ReadAll() override;

private:
  void OnReadyRead();
  void OnError(QSerialPort::SerialPortError error);
  void MarkLineErrors();

  QSerialPort port_;
  LineSettings settings_;
  QString deviceName_;
  LineMarkDecoder marks_;
  QByteArray pending_;
};

}  // namespace ptlog

#endif

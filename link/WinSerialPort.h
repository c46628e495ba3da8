#pragma once

#include "link/SerialLine.h"

#include <QTimer>

namespace ptlog {

// The serial line on a Windows COM port through the communications API. The
// port is polled on the window's thread: what came is read without waiting,
// and the line's error flags (break, framing, parity, overrun) become the
// same line events as on Linux.
class WinSerialPort : public SerialLine {
public:
  WinSerialPort();
  ~WinSerialPort() override;
  WinSerialPort(const WinSerialPort&) = delete;
  WinSerialPort& operator=(const WinSerialPort&) = delete;

  void Configure(int portNumber, const QString& settings, const QString& device) override;
  bool IsOpen() const override { return handle_ != nullptr; }
  void Open() override;
  void Close() override;
  void Write(const QByteArray& text) override;
  int PendingCount() const override { return int(pending_.size()); }
  QByteArray ReadAll() override;

private:
  void Poll();
  void Lost();

  void* handle_ = nullptr;  // HANDLE
  LineSettings settings_;
  QString deviceName_;
  QByteArray pending_;
  QTimer poll_;
};

}  // namespace ptlog

#pragma once

#include "platform/Errors.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace ptlog {

// Line event codes as the download's handler knows them.
enum CommEvent : int {
  CommEventReceive = 2,
  CommEventBreak = 1001,
  CommEventFrame = 1004,
  CommEventOverrun = 1006,
  CommEventRxOver = 1008,
  CommEventRxParity = 1009,
  CommEventTxFull = 1010,
  CommEventDcb = 1011,
  // Not a line event: the device went away (a cable or adapter pulled out).
  CommEventDeviceLost = 9001,
};

constexpr int ErrPortAlreadyOpen = 8005;
constexpr int ErrPortSettings = 8015;
constexpr int ErrPortNotOpen = 8018;
// The port's errors with their messages.
PlatformError PortError(int number);

// "9600,n,8,1": speed, parity letter (n, e, o, m, s), data bits, stop bits.
struct LineSettings {
  qint32 baud = 9600;
  char parity = 'n';
  int dataBits = 8;
  double stopBits = 1;
};
// Raises 380 for text not of that form.
LineSettings ParseLineSettings(const QString& text);

// The device of port number n: COMn on Windows, /dev/ttyS(n-1) elsewhere; a
// non-empty device text names the device itself (USB adapters, the simulator).
QString PortDeviceName(int portNumber, const QString& device);

// A serial device present on this PC, and what the system says of it.
struct PortInfo {
  QString device;
  QString about;
};
std::vector<PortInfo> AvailablePorts();

// What the logger link needs of a serial line: the real port, or anything
// else that can stand at the far end.
class SerialLine {
public:
  virtual ~SerialLine() = default;
  // Takes effect at the next Open; allowed while open.
  virtual void Configure(int portNumber, const QString& settings, const QString& device) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Open() = 0;  // 8002 for a port that does not exist
  virtual void Close() = 0;
  virtual void Write(const QByteArray& text) = 0;  // 8018 while closed
  virtual int PendingCount() const = 0;
  virtual QByteArray ReadAll() = 0;

  // Line events with their codes, delivered on the window's thread.
  std::function<void(int)> OnCommEvent;
};

}  // namespace ptlog

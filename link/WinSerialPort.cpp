#include "link/WinSerialPort.h"

#include <QSettings>

#include <windows.h>

namespace ptlog {

namespace {
constexpr int kPollMs = 10;

BYTE ToParity(char letter) {
  switch (letter) {
    case 'e': return EVENPARITY;
    case 'o': return ODDPARITY;
    case 'm': return MARKPARITY;
    case 's': return SPACEPARITY;
    default: return NOPARITY;
  }
}
}  // namespace

std::vector<PortInfo> AvailablePorts() {
  // The serial ports the system knows of, as its device map lists them.
  QSettings map(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM"), QSettings::NativeFormat);
  std::vector<PortInfo> ports;
  for (const QString& key : map.allKeys()) ports.push_back({map.value(key).toString(), key.section('\\', -1)});
  return ports;
}

WinSerialPort::WinSerialPort() {
  poll_.setInterval(kPollMs);
  QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
}

WinSerialPort::~WinSerialPort() { Close(); }

void WinSerialPort::Configure(int portNumber, const QString& settings, const QString& device) {
  settings_ = ParseLineSettings(settings);
  deviceName_ = portNumber < 1 && device.isEmpty() ? QString() : PortDeviceName(portNumber, device);
}

void WinSerialPort::Open() {
  if (handle_) throw PortError(ErrPortAlreadyOpen);
  if (deviceName_.isEmpty()) throw PlatformError(ErrInvalidPortNumber);
  // COM10 and above are reached only through the device namespace.
  const QString path = deviceName_.startsWith(QLatin1String("\\\\")) ? deviceName_ : QStringLiteral("\\\\.\\") + deviceName_;
  HANDLE h = ::CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) throw PlatformError(ErrInvalidPortNumber);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) throw PortError(ErrPortAlreadyOpen);
    throw PortError(ErrPortSettings);
  }
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  bool applied = ::GetCommState(h, &dcb);
  if (applied) {
    dcb.BaudRate = DWORD(settings_.baud);
    dcb.ByteSize = BYTE(settings_.dataBits);
    dcb.Parity = ToParity(settings_.parity);
    dcb.StopBits = settings_.stopBits == 2 ? TWOSTOPBITS : settings_.stopBits == 1.5 ? ONE5STOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings_.parity != 'n';
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = dcb.fInX = dcb.fErrorChar = dcb.fNull = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fAbortOnError = FALSE;
    applied = ::SetCommState(h, &dcb);
  }
  // Reads return at once with what is there; a write that cannot finish in
  // two seconds (no far end taking it) gives up instead of freezing the window.
  COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 2000};
  if (!applied || !::SetCommTimeouts(h, &timeouts)) {
    ::CloseHandle(h);
    throw PortError(ErrPortSettings);
  }
  ::PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
  handle_ = h;
  pending_.clear();
  poll_.start();
}

void WinSerialPort::Close() {
  poll_.stop();
  if (handle_) ::CloseHandle(handle_);
  handle_ = nullptr;
  pending_.clear();
}

void WinSerialPort::Write(const QByteArray& text) {
  if (!handle_) throw PortError(ErrPortNotOpen);
  DWORD written = 0;
  if (!::WriteFile(handle_, text.constData(), DWORD(text.size()), &written, nullptr)) Lost();
}

QByteArray WinSerialPort::ReadAll() {
  QByteArray all;
  all.swap(pending_);
  return all;
}

void WinSerialPort::Lost() {
  // The adapter was pulled out: nothing more can come, and the next run opens it anew.
  Close();
  if (OnCommEvent) OnCommEvent(CommEventDeviceLost);
}

void WinSerialPort::Poll() {
  if (!handle_) return;
  DWORD errors = 0;
  COMSTAT status{};
  if (!::ClearCommError(handle_, &errors, &status)) return Lost();
  std::vector<int> events;
  if (errors & CE_BREAK) events.push_back(CommEventBreak);
  if (errors & CE_FRAME) events.push_back(CommEventFrame);
  if (errors & CE_OVERRUN) events.push_back(CommEventOverrun);
  if (errors & CE_RXOVER) events.push_back(CommEventRxOver);
  if (errors & CE_RXPARITY) events.push_back(CommEventRxParity);
  QByteArray got;
  char buffer[4096];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(handle_, buffer, sizeof buffer, &n, nullptr)) return Lost();
    if (n == 0) break;
    got.append(buffer, qsizetype(n));
  }
  pending_ += got;
  if (!OnCommEvent) return;
  for (int code : events) OnCommEvent(code);
  if (!got.isEmpty()) OnCommEvent(CommEventReceive);
}

}  // namespace ptlog

// A pressure-test logger at the far end of a serial line.
//
//   logger-sim --records DIR [--device PATH | --link PATH] [--baud N] [--mode MODE]
//              [--split-pause-ms N] [--once]
//
// Opens a pseudo-terminal pair (or the given device), prints "device: PATH"
// for the program to use, and answers as the logger does: "CmdRM" + CR sends
// every record line of DIR (each + CR), then "DataSendEnd", the count of
// characters sent, and two more characters; "CmdDC" + CR ends the exchange.
// Output is paced at the baud rate (10 bits a character; 0: unpaced).
// Every text received is reported as "received: TEXT" ("received: CR" for a
// lone CR).
//
// Modes: normal, silent (never answers), wrong-count (count one too small),
// split-end (end block in two pieces), echo (a 100-character line first),
// no-final-cr (last record without CR, the end block right after it),
// no-end-block (last record without CR, then nothing), stall (pauses
// --split-pause-ms 100 characters into the second record), stop-mid (stops
// half-way), garbage (noise bytes and a CR before the records), vanish
// (stops half-way and closes the line, as a cable pulled out or an adapter
// unplugged).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  QString records, device, link, mode = QStringLiteral("normal");
  long baud = 9600;
  int splitPauseMs = 1000;
  bool once = false;
};

QByteArray FirstLine(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray all = file.readAll();
  const qsizetype end = all.indexOf('\r') >= 0 ? all.indexOf('\r') : all.indexOf('\n');
  return end >= 0 ? all.left(end) : all;
}

class Line {
public:
  Line(int fd, long baud) : fd_(fd), baud_(baud) {}

  // Writes at the line's speed; the kernel buffer would otherwise take it all at once.
  void Send(const QByteArray& bytes) {
    if (started_ == Clock::time_point{}) started_ = Clock::now();
    qsizetype at = 0;
    while (at < bytes.size()) {
      const qsizetype chunk = baud_ > 0 ? std::min<qsizetype>(16, bytes.size() - at) : bytes.size() - at;
      const ssize_t n = ::write(fd_, bytes.constData() + at, size_t(chunk));
      if (n < 0) {
        if (errno == EAGAIN || errno == EINTR || errno == EIO) {
          std::this_thread::sleep_for(std::chrono::milliseconds(2));
          continue;
        }
        return;
      }
      at += n;
      sent_ += n;
      if (baud_ > 0)
        std::this_thread::sleep_until(started_ + std::chrono::microseconds(sent_ * 10'000'000 / baud_));
    }
  }
  void Restart() {
    started_ = {};
    sent_ = 0;
  }

private:
  int fd_;
  long baud_;
  Clock::time_point started_{};
  long long sent_ = 0;
};

void SendRecords(Line& line, const Options& o) {
  if (o.mode == QLatin1String("silent")) return;
  QStringList names = QDir(o.records).entryList(QDir::Files, QDir::Name);
  const bool noFinalCr = o.mode == QLatin1String("no-final-cr") || o.mode == QLatin1String("no-end-block");
  QByteArray body;
  qsizetype stallAt = -1;
  if (o.mode == QLatin1String("echo")) body += QByteArray(100, 'E') + '\r';
  if (o.mode == QLatin1String("garbage")) body += QByteArray("\x01\x7f#@!%&") + '\r';
  for (int i = 0; i < names.size(); ++i) {
    if (i == 1) stallAt = body.size() + 100;
    body += FirstLine(QDir(o.records).filePath(names[i]));
    if (!(noFinalCr && i == names.size() - 1)) body += '\r';
  }
  line.Restart();
  long count = long(body.size());
  if (o.mode == QLatin1String("stall") && stallAt > 0) {
    line.Send(body.left(stallAt));
    std::this_thread::sleep_for(std::chrono::milliseconds(o.splitPauseMs));
    body.remove(0, stallAt);
  }
  if (o.mode == QLatin1String("stop-mid") || o.mode == QLatin1String("vanish")) {
    line.Send(body.left(body.size() / 2));
    return;
  }
  line.Send(body);
  if (o.mode == QLatin1String("no-end-block")) return;

  if (o.mode == QLatin1String("wrong-count")) --count;
  const QByteArray end =
      "DataSendEnd" + QByteArray::number(qlonglong(count), 16).toUpper().rightJustified(6, '0') + "FF";
  if (o.mode == QLatin1String("split-end")) {
    line.Send(end.left(14));
    std::this_thread::sleep_for(std::chrono::milliseconds(o.splitPauseMs));
    line.Send(end.mid(14));
  } else {
    line.Send(end);
  }
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray a = argv[i];
    auto value = [&]() -> QString { return i + 1 < argc ? QString::fromLocal8Bit(argv[++i]) : QString(); };
    if (a == "--records")
      o.records = value();
    else if (a == "--device")
      o.device = value();
    else if (a == "--link")
      o.link = value();
    else if (a == "--baud")
      o.baud = value().toLong();
    else if (a == "--mode")
      o.mode = value();
    else if (a == "--split-pause-ms")
      o.splitPauseMs = value().toInt();
    else if (a == "--once")
      o.once = true;
    else
      return false;
  }
  return !o.records.isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: logger-sim --records DIR [--device PATH | --link PATH] [--baud N] "
                 "[--mode MODE] [--split-pause-ms N] [--once]\n");
    return 2;
  }

  int fd = -1, slave = -1;
  QString device = o.device;
  if (device.isEmpty()) {
    char name[256] = {};
    if (openpty(&fd, &slave, name, nullptr, nullptr) != 0) {
      std::perror("openpty");
      return 1;
    }
    // Raw, no echo: the line carries bytes, not a terminal session. Keeping
    // our own slave open lets the program close and reopen its side.
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    device = QString::fromLocal8Bit(name);
    if (!o.link.isEmpty()) {
      QFile::remove(o.link);
      if (::symlink(name, QFile::encodeName(o.link).constData()) == 0) device = o.link;
    }
  } else {
    fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
      std::perror("open");
      return 1;
    }
  }
  std::printf("device: %s\n", device.toLocal8Bit().constData());
  std::fflush(stdout);

  Line line(fd, o.baud);
  QByteArray received;
  while (true) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) continue;
    char buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      // The program has not opened its side (yet, or again).
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    received.append(buffer, n);
    qsizetype cr;
    while ((cr = received.indexOf('\r')) >= 0) {
      const QByteArray command = received.left(cr);
      received.remove(0, cr + 1);
      std::printf("received: %s\n", command.isEmpty() ? "CR" : command.constData());
      std::fflush(stdout);
      if (command.endsWith("CmdRM")) SendRecords(line, o);
      if (command.endsWith("CmdRM") && o.mode == QLatin1String("vanish")) {
        // Let the program read what was sent, then take the device away.
        ::tcdrain(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(o.splitPauseMs));
        if (!o.link.isEmpty()) QFile::remove(o.link);
        ::close(fd);
        if (slave >= 0) ::close(slave);
        std::printf("vanished\n");
        std::fflush(stdout);
        return 0;
      }
      if (command.endsWith("CmdDC") && o.once) return 0;
    }
  }
}

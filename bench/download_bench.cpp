// A download of the sample records at 9600 baud over a pseudo-terminal, at
// the program's own 500 ms tick, against its floor: the line time of the
// bytes plus the waits the exchange mandates.
//   download_bench <logger-sim> <records folder>
#include "link/LoggerLink.h"
#include "link/SerialPort.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

using namespace ptlog;

namespace {
class QuietView : public DownloadView {
public:
  bool AskYesNo(const QString&) override { return true; }
  void ShowError(const QString& t) override { std::printf("error: %s\n", t.toUtf8().constData()); }
  void ShowLineError(const QString&) override {}
  void SetStatusText(const QString& t) override { status = t; }
  void SetStatusTextVisible(bool) override {}
  void SetOkVisible(bool) override {}
  void SetPanelVisible(bool) override {}
  QString ActivityText() const override { return activity; }
  bool Ending() const override { return false; }
  void SetActivityText(int i, const QString& t) override {
    if (i == 0) activity = t;
  }
  QString status, activity;
};
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) return 2;
  const QString records = QString::fromLocal8Bit(argv[2]);
  qint64 lineBytes = 0;
  for (const QFileInfo& f : QDir(records).entryInfoList(QDir::Files)) {
    QFile file(f.absoluteFilePath());
    file.open(QIODevice::ReadOnly);
    lineBytes += file.readLine().trimmed().size() + 1;
  }
  lineBytes += 19;

  QProcess sim;
  sim.start(QString::fromLocal8Bit(argv[1]), {"--records", records, "--baud", "9600"});
  sim.waitForReadyRead(10000);
  const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed().mid(8);

  TickClock clock;
  SerialPort port;
  QuietView view;
  LoggerLink link(port, clock, view);
  QTemporaryDir data;
  link.SetSettings({1, QStringLiteral("9600,n,8,1"), device, 3, data.path() + "/"});
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { clock.Tick(); });
  timer.start(kTickIntervalMs);

  QElapsedTimer t;
  t.start();
  link.DownloadRecords();
  const double seconds = t.elapsed() / 1000.0;
  sim.kill();
  sim.waitForFinished();

  // Waits: 3 before opening, 1 + 3 for the CR, 6 + 16 for the request,
  // 20 after the end block, 3 + 20 after the closing command.
  const int ticks = 3 + 1 + 3 + 6 + 16 + 20 + 3 + 20;
  const double tick = kTickIntervalMs / 1000.0;
  const double floor = lineBytes * 10.0 / 9600.0 + ticks * tick;
  // The logger answers during the one-tick wait after the request's last
  // character; data stretches that wait to 16 quiet ticks, and the request's
  // own 16-tick wait then comes on top.
  const double exchangeFloor = floor + 16 * tick;
  std::printf(
      "download_result %s\ndownload_bytes %lld\ndownload_s %.2f\ndownload_floor_s %.2f\n"
      "download_over_floor_percent %.2f\ndownload_exchange_floor_s %.2f\n"
      "download_over_exchange_floor_percent %.2f\n",
      view.status.toUtf8().constData(), qlonglong(lineBytes), seconds, floor, (seconds / floor - 1.0) * 100.0,
      exchangeFloor, (seconds / exchangeFloor - 1.0) * 100.0);
  return view.status.isEmpty();
}

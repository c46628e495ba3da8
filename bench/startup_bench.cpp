// Start-up to the first shown main window, and the program's peak memory.
// Runs the same steps as the program's main, then leaves.
#include "mainwin/Form1.h"
#include "tests/FakeDesktop.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <unistd.h>
#include <cstdio>
#include <ctime>

namespace {

// Seconds since the process was created, so library loading counts too.
double SecondsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  stat.open(QIODevice::ReadOnly);
  const QByteArray text = stat.readAll();
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  const double startTicks = fields.value(19).toDouble();
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return now.tv_sec + now.tv_nsec / 1e9 - startTicks / double(sysconf(_SC_CLK_TCK));
}

long PeakKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  status.open(QIODevice::ReadOnly);
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

class FirstExpose : public QObject {
public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
      if (shownAt < 0) shownAt = SecondsSinceProcessStart();
    }
    return false;
  }
  double shownAt = -1;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KESTRA PTLOG"));
  ptlog::test::FakeDesktop desktop;
  ptlog::Form1 form(desktop, ptlog::LocateSettingsOfThisProgram());
  FirstExpose watch;
  form.installEventFilter(&watch);
  form.Load();
  form.show();
  QTimer::singleShot(0, &app, [&] {
    // One more pass so the first paint has happened.
    QCoreApplication::processEvents();
    app.quit();
  });
  app.exec();
  std::printf("startup_to_first_window_ms %.1f\npeak_memory_mb %.1f\n", watch.shownAt * 1000.0,
              PeakKilobytes() / 1024.0);
  return watch.shownAt < 0;
}

#include "LinkFixture.h"

#include "record/RecordFile.h"
#include "tools/RecordGenerator.h"

#include <QDir>
#include <QElapsedTimer>

namespace ptlog::test {

Simulator::Simulator(const QString& records, const QStringList& options) {
  process_.setProgram(QStringLiteral(PTLOG_LOGGER_SIM));
  process_.setArguments(QStringList{"--records", records} + options);
  process_.start();
  process_.waitForStarted(10000);
  QElapsedTimer waited;
  waited.start();
  while (!process_.canReadLine() && waited.elapsed() < 10000) process_.waitForReadyRead(100);
  const QString first = QString::fromLocal8Bit(process_.readLine()).trimmed();
  if (first.startsWith(QStringLiteral("device: "))) device = first.mid(8);
}

Simulator::~Simulator() {
  process_.kill();
  process_.waitForFinished(5000);
}

QStringList Simulator::Received() {
  process_.waitForReadyRead(50);
  while (process_.canReadLine()) {
    const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
    if (line.startsWith(QStringLiteral("received: "))) received_ << line.mid(10);
  }
  return received_;
}

void LinkFixture::SetUp() {
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(kTickMs);
  QObject::connect(&ticker, &QTimer::timeout, [this] { clock.Tick(); });
  ticker.start();
  QDir().mkpath(scratch.Path("data"));
}

QString MakeRecords(const Scratch& scratch, const QString& folder, int count) {
  const QString dir = scratch.Path(folder);
  QDir().mkpath(dir);
  for (int i = 0; i < count; ++i) {
    tools::RecordSpec s = tools::TypedTest(1, 750, 10, 10, 300, 750, unsigned(i + 1));
    s.inspectionNumber = i + 1;
    s.hourCode = 10 + i;
    WriteRecordFile(QDir(dir).filePath(QStringLiteral("in%1.txt").arg(i)), tools::RecordText(s));
  }
  return dir;
}

}  // namespace ptlog::test

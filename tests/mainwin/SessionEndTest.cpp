// The real program, ended by the session: the display choices must be on disk.
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>

using ptlog::test::Scratch;

namespace {

// True once the process catches `sig` (its handler is installed).
bool Catches(qint64 pid, int sig) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (!line.startsWith("SigCgt:")) continue;
    const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
    return mask & (quint64(1) << (sig - 1));
  }
  return false;
}

class SessionEnd : public ::testing::TestWithParam<int> {};

TEST_P(SessionEnd, SignalWritesTheDisplayKeysBeforeTheProgramEnds) {
  Scratch scratch;
  // No "Model" stored: the program must write it, as air, on its way out.
  const QString ini = scratch.Write("s.ini", "[Display Set]\r\nScale=2MPa\r\nDetails=0\r\n");

  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(env);
  program.start(PTLOG_MAIN_PROGRAM, {ini});
  ASSERT_TRUE(program.waitForStarted(10000));

  QElapsedTimer wait;
  wait.start();
  while (!Catches(program.processId(), GetParam()) && wait.elapsed() < 20000) QThread::msleep(5);
  ASSERT_TRUE(Catches(program.processId(), GetParam())) << "handler never installed";

  ::kill(pid_t(program.processId()), GetParam());
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(Scratch::Read(ini), "[Display Set]\r\nScale=2MPa\r\nDetails=0\r\nModel=\x8B\xF3\x88\xB3\r\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd, ::testing::Values(SIGTERM, SIGHUP));

}  // namespace

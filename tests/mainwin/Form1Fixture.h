#pragma once

#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwin/Form1.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>

namespace ptlog::test {

// A record of a steady pressure, ten seconds a sample.
inline tools::RecordSpec PlainRecord(int number, int samples = 100, int pipeType = 0) {
  tools::RecordSpec s;
  s.inspectionNumber = number, s.pipeType = pipeType, s.intervalSeconds = 10, s.measureMinutes = s.testMinutes = 20;
  s.samples.assign(samples, 500000);
  return s;
}

// Runs the event loop until `done` holds; the limit only keeps a broken
// build from hanging the suite.
template <typename Pred>
bool RunUntil(Pred done, int limitMs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  return done();
}

// A main window on a settings file of the test's own; the desktop answers.
class Form1Fixture : public ::testing::Test {
protected:
  void TearDown() override { form.reset(); }

  Form1& Start(const QByteArray& settings, int tickMs = kTickIntervalMs) {
    const QString path =
        settings.isNull() ? scratch.Path("KESTRA PTLOG.ini") : scratch.Write("KESTRA PTLOG.ini", settings);
    return StartWith(SettingsLocation{scratch.Path("prog") + "/", path}, tickMs);
  }
  Form1& StartWith(const SettingsLocation& where, int tickMs = kTickIntervalMs) {
    form.reset();
    form = std::make_unique<Form1>(desktop, where, tickMs);
    form->Load();
    return *form;
  }
  QByteArray SettingsBytes() const { return Scratch::Read(form->Location().SettingsFilePath); }

  Scratch scratch;
  FakeDesktop desktop{PTLOG_SAVEJPG_LIB};
  std::unique_ptr<Form1> form;
};

}  // namespace ptlog::test

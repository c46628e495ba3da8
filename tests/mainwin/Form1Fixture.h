#pragma once

#include "WindowTest.h"
#include "platform/Fonts.h"

#include <memory>

namespace ptlog::test {

// A record of a steady pressure, ten seconds a sample.
inline tools::RecordSpec PlainRecord(int number, int samples = 100, int pipeType = 0) {
  tools::RecordSpec s;
  s.inspectionNumber = number, s.pipeType = pipeType, s.intervalSeconds = 10, s.measureMinutes = s.testMinutes = 20;
  s.samples.assign(samples, 500000);
  return s;
}

// The windows' layout scale for a test, back to the design after it.
struct ScaleForTest {
  explicit ScaleForTest(double scale) { SetLayoutScale(scale); }
  ~ScaleForTest() { SetLayoutScale(1.0); }
};

// A main window on a settings file of the test's own; the desktop answers.
class Form1Fixture : public ::testing::Test {
protected:
  void TearDown() override { form.reset(); }

  Form1& Start(const QByteArray& settings) {
    const QString path =
        settings.isNull() ? scratch.Path("KESTRA PTLOG.ini") : scratch.Write("KESTRA PTLOG.ini", settings);
    return StartWith(SettingsLocation{scratch.Path("prog") + "/", path});
  }
  Form1& StartWith(const SettingsLocation& where) {
    form.reset();
    form = std::make_unique<Form1>(desktop, where, kTickIntervalMs);
    form->Load();
    return *form;
  }
  // The window on a data folder and a program folder of the test's own.
  Form1& StartOnData() {
    QDir().mkpath(scratch.Path("data"));
    QDir().mkpath(scratch.Path("prog"));
    return Start("[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() + "\r\nProgramPath=" +
                 scratch.Path("prog/").toUtf8() + "\r\n");
  }
  QString Put(const QString& name, const tools::RecordSpec& spec) {
    const QString path = scratch.Path("data/" + name);
    WriteRecordFile(path, tools::RecordText(spec));
    return path;
  }
  // The load button, the file dialog answering `path`.
  void Load(const QString& path) {
    desktop.answers = {path};
    form->Command2->click();
  }

  Scratch scratch;
  FakeDesktop desktop{PTLOG_SAVEJPG_LIB};
  std::unique_ptr<Form1> form;
};

}  // namespace ptlog::test

#pragma once

#include "TestSupport.h"
#include "link/LoggerLink.h"
#include "link/SerialPort.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QTimer>
#include <functional>

namespace ptlog::test {

// The logger simulator on the far end of a fresh pseudo-terminal pair.
class Simulator {
public:
  Simulator(const QString& records, const QStringList& options);
  ~Simulator();
  QString device;
  // Every text the simulator received so far ("CR", "CmdRM", "CmdDC").
  QStringList Received();

private:
  QProcess process_;
  QStringList received_;
};

// The status panel and message boxes of the download, as plain values.
class FakeDownloadView : public DownloadView {
public:
  bool AskYesNo(const QString& q) override { return questions << q, answerYes; }
  void ShowError(const QString& t) override { errors << t; }
  void ShowLineError(const QString& t) override { lineErrors << t; }
  void SetStatusText(const QString& t) override { status = t; }
  void SetStatusTextVisible(bool) override {}
  void SetOkVisible(bool v) override { okVisible = v; }
  void SetPanelVisible(bool v) override {
    panelVisible = v;
    if (onPanel) onPanel(v);
  }
  QString ActivityText() const override { return activity[0]; }
  void SetActivityText(int i, const QString& t) override {
    activity[i] = t;
    if (onActivity) onActivity();
  }
  bool Ending() const override { return ending; }

  bool answerYes = true, ending = false, okVisible = false, panelVisible = false;
  QStringList questions, errors, lineErrors;
  QString status, activity[2];
  std::function<void(bool)> onPanel;
  std::function<void()> onActivity;
};

// A link with a fast tick, a real serial port and a scratch data folder.
class LinkFixture : public ::testing::Test {
protected:
  // Fast enough for a quick suite, slow enough that 16 quiet ticks outlast
  // a busy machine's pauses.
  static constexpr int kTickMs = 8;
  void SetUp() override;
  void TearDown() override { port.Close(); }
  LinkSettings SettingsFor(const QString& device, int retries = 3) const {
    return {1, QStringLiteral("9600,n,8,1"), device, qint16(retries), scratch.Path("data") + "/"};
  }
  QStringList DataFiles() const;

  Scratch scratch;
  TickClock clock;
  SerialPort port;
  FakeDownloadView view;
  LoggerLink link{port, clock, view};
  QTimer ticker;
};

// A record folder for the simulator, made of generated records.
QString MakeRecords(const Scratch& scratch, const QString& folder, int count);

}  // namespace ptlog::test

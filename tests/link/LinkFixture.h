#pragma once

#include "FakeDownloadView.h"
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

// A link with a fast tick, a real serial port and a scratch data folder.
class LinkFixture : public ::testing::Test {
protected:
  // Fast enough for a quick suite, slow enough that 16 quiet ticks outlast
  // a busy machine's pauses.
  static constexpr int kTickMs = 8;
  void SetUp() override;
  void TearDown() override { port.Close(); }
  LinkSettings SettingsFor(const QString& device) const {
    return {1, QStringLiteral("9600,n,8,1"), device, 3, scratch.Path("data") + "/"};
  }
  QStringList DataFiles() const { return AllEntries(scratch.Path("data")); }
  // A download from a simulator of its own serving `records` unpaced (the
  // options may say otherwise); `change` adjusts the settings. What the
  // simulator received.
  QStringList DownloadFrom(const QString& records, const QStringList& options = {},
                           const std::function<void(LinkSettings&)>& change = {}) {
    port.Close();  // a port an earlier download left open
    Simulator sim(records, QStringList{"--baud", "0"} + options);
    LinkSettings settings = SettingsFor(sim.device);
    if (change) change(settings);
    link.SetSettings(settings);
    link.DownloadRecords();
    return sim.Received();
  }

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

// Downloads that meet a failing device or data folder, through the real
// port, the logger simulator and the file system.
#include "FakeDesktop.h"
#include "FaultSupport.h"
#include "link/LinkFixture.h"
#include "mainwin/Form1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

using namespace ptlog;
using ptlog::test::AllEntries;
using ptlog::test::LinkFixture;
using ptlog::test::MakeRecords;
using ptlog::test::Scratch;
using ptlog::test::Simulator;
using ptlog::test::SmallFileSystem;

namespace {

const QString kFirst = QStringLiteral("0001060720100530.txt");
const QString kSecond = QStringLiteral("0002060720110530.txt");

TEST(DeviceRemoved, MidDownloadKeepsWholeRecordsAndTheWindowGoesOn) {
  Scratch scratch;
  const QString data = scratch.Path("data");
  QDir().mkpath(data);
  const QString logger = MakeRecords(scratch, "logger", 3);
  // A whole copy of the record the line is cut in, from an earlier download.
  const QByteArray earlier = Scratch::Read(logger + "/in1.txt");
  scratch.Write("data/" + kSecond, earlier);

  // The cable goes half-way through the second record, while the program
  // still waits for the line to go quiet.
  Simulator sim(logger, {"--baud", "0", "--mode", "vanish", "--split-pause-ms", "20"});
  ASSERT_FALSE(sim.device.isEmpty());
  const QString ini = scratch.Write(
      "s.ini", ("[Port Set]\r\nCommDevice=" + sim.device + "\r\n[Data Set]\r\nDataPath=" + data + "/\r\n").toUtf8());
  test::FakeDesktop desktop;
  Form1 form(desktop, SettingsLocation{scratch.Path("p") + "/", ini}, 5);
  form.Load();
  form.show();
  // Pressed again with the device gone: the port error, and the window is usable.
  form.Command1->click();
  form.Command1->click();
  ASSERT_EQ(desktop.shown.size(), 4u);
  EXPECT_EQ(desktop.shown[1].text, " 8020\r通信ポートの機器が切断されました。");
  EXPECT_EQ(desktop.shown[3].text, " 8002\rポート番号が不正です。");
  EXPECT_TRUE(form.Frame2->isHidden() && form.Command1->isEnabled());
  EXPECT_EQ(AllEntries(data), (QStringList{kFirst, kSecond}));
  EXPECT_EQ(Scratch::Read(data + "/" + kSecond), earlier) << "the cut record must not replace it";
  EXPECT_EQ(Scratch::Read(data + "/" + kFirst), Scratch::Read(logger + "/in0.txt"));
}

TEST_F(LinkFixture, DeviceTheUserMayNotUseIsNamedWithTheReason) {
  Simulator sim(MakeRecords(scratch, "logger", 1), {"--baud", "0"});
  const QString device = QFileInfo(sim.device).canonicalFilePath();
  ASSERT_TRUE(QFile::setPermissions(device, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  link.SetSettings(SettingsFor(sim.device));
  {
    ptlog::test::AsOrdinaryUser user(scratch);
    link.DownloadRecords();
  }
  EXPECT_EQ(view.errors, QStringList{" 70\rポート " + sim.device +
                                     " を使う権限が有りません。\rdialout グループのユーザーで使ってください。"});
  EXPECT_FALSE(view.panelVisible);
}

// The data folder fills up, turns read-only after the first file, or holds a
// folder where a record file goes: the download stops with the error, whole
// files stay, nothing partial is left, and what was in the way is untouched.
TEST_F(LinkFixture, DataFolderFaultsStopWithTheErrorAndLeaveNoPart) {
  const QString data = scratch.Path("data");
  {
    SmallFileSystem disk(data, 8);  // room for two small records and not a third
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
    Simulator sim(MakeRecords(scratch, "logger", 3), {"--baud", "0"});
    link.SetSettings(SettingsFor(sim.device));
    link.DownloadRecords();
    EXPECT_EQ(view.errors, QStringList{" 61\rディスクがいっぱいです。"});
    EXPECT_EQ(AllEntries(data), (QStringList{kFirst, kSecond}));
    EXPECT_TRUE(Scratch::Read(data + "/" + kSecond).endsWith("\r\n"));
    EXPECT_FALSE(link.Running() || view.panelVisible);
    port.Close();  // each case with a simulator of its own
  }
  {
    SmallFileSystem disk(data, 256);
    bool readOnly = false;
    view = {};
    view.onActivity = [&] {
      if (!readOnly && DataFiles().size() == 1) readOnly = disk.MakeReadOnly();
    };
    Simulator sim(MakeRecords(scratch, "logger", 3), {"--baud", "0"});
    link.SetSettings(SettingsFor(sim.device));
    link.DownloadRecords();
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(view.errors, QStringList{" 75\rパス名が無効です。"});
    EXPECT_EQ(AllEntries(data), QStringList{kFirst});
    port.Close();
  }
  scratch.Write("data/" + kSecond + "/inside.txt", "keep");
  Simulator sim(MakeRecords(scratch, "logger", 3), {"--baud", "0"});
  link.SetSettings(SettingsFor(sim.device));
  view = {};
  link.DownloadRecords();
  EXPECT_EQ(view.errors, QStringList{" 75\rパス名が無効です。"});
  EXPECT_EQ(Scratch::Read(data + "/" + kSecond + "/inside.txt"), "keep");
  // Out of the way, the next download gets them all.
  QDir(data + "/" + kSecond).removeRecursively();
  view = {};
  link.DownloadRecords();
  EXPECT_EQ(view.status, "3　件のデータを読み込みました。");
  EXPECT_EQ(DataFiles().size(), 3);
}

}  // namespace

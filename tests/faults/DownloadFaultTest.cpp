// Downloads that meet a device the user may not use or a failing data
// folder, through the real port, the logger simulator and the file system.
#include "FaultSupport.h"
#include "link/LinkFixture.h"

using namespace ptlog;
using namespace ptlog::test;

namespace {

const QString kFirst = QStringLiteral("0001060720100530.txt");
const QString kSecond = QStringLiteral("0002060720110530.txt");

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
  const QString data = scratch.Path("data"), logger = MakeRecords(scratch, "logger", 3);
  {
    SmallFileSystem disk(data, 8);  // room for two small records and not a third
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
    DownloadFrom(logger);
    EXPECT_EQ(view.errors, QStringList{" 61\rディスクがいっぱいです。"});
    EXPECT_EQ(AllEntries(data), (QStringList{kFirst, kSecond}));
    EXPECT_TRUE(Scratch::Read(data + "/" + kSecond).endsWith("\r\n"));
    EXPECT_FALSE(link.Running() || view.panelVisible);
  }
  {
    SmallFileSystem disk(data, 256);
    bool readOnly = false;
    view = {};
    view.onActivity = [&] {
      if (!readOnly && DataFiles().size() == 1) readOnly = disk.MakeReadOnly();
    };
    DownloadFrom(logger);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(view.errors, QStringList{" 75\rパス名が無効です。"});
    EXPECT_EQ(AllEntries(data), QStringList{kFirst});
  }
  scratch.Write("data/" + kSecond + "/inside.txt", "keep");
  view = {};
  DownloadFrom(logger);
  EXPECT_EQ(view.errors, QStringList{" 75\rパス名が無効です。"});
  EXPECT_EQ(Scratch::Read(data + "/" + kSecond + "/inside.txt"), "keep");
  // Out of the way, the next download gets them all.
  QDir(data + "/" + kSecond).removeRecursively();
  view = {};
  DownloadFrom(logger);
  EXPECT_EQ(view.status, "3　件のデータを読み込みました。");
  EXPECT_EQ(DataFiles().size(), 3);
}

}  // namespace

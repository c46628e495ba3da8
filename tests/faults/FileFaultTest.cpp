// The windows meeting files that cannot be written or are not what they were.
#include "FaultSupport.h"
#include "mainwin/Form1Fixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ptlog;
using namespace ptlog::test;

namespace {

const QByteArray kStored = "[Port Set]\r\nCommPort=2\r\n[Display Set]\r\nScale=1MPa\r\n";

// Fills a file system until it refuses another byte.
void Fill(const QString& folder) {
  QFile filler(folder + "/filler");
  if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    for (const QByteArray block(512, 'f'); filler.write(block) > 0;) {
    }
}

// Paths that are not regular files: a FIFO would block the window for ever,
// /dev/zero would never end. The FIFO holds settings and a record from a
// writer that is done, so a program that reads it gets them: a reader of
// the test's own, open to the end, keeps them there.
bool (*const kOddMakers[])(const QString&) = {
    [](const QString& p) {
      const QByteArray name = QFile::encodeName(p);
      const QByteArray text = tools::RecordText(PlainRecord(9)).toLatin1() + "\r\n[Display Set]\r\nScale=2MPa\r\n";
      if (::mkfifo(name.constData(), 0666) != 0 || ::open(name.constData(), O_RDONLY | O_NONBLOCK) < 0) return false;
      const int writer = ::open(name.constData(), O_WRONLY);
      return ::write(writer, text.constData(), size_t(text.size())) == text.size() && ::close(writer) == 0;
    },
    [](const QString& p) { return QFile::link("/dev/zero", p); }};

class Faults : public Form1Fixture {
protected:
  // The main program and the tool on a settings file they cannot replace: the
  // main program ends quietly, the tool says so and stays open.
  void ExpectSettingsKept(const QString& ini) {
    desktop.shown.clear();
    desktop.ended = 0;
    StartWith({scratch.Path("prog") + "/", ini});
    EXPECT_TRUE(form->Option2[0]->isChecked()) << "1 MPa, stored or by default";
    form->Option2[1]->setChecked(true);
    form->close();
    EXPECT_EQ(desktop.ended, 1);
    ToolForm tool(desktop, SettingsLocation{scratch.Path("prog") + "/", ini});
    tool.Startup();
    tool.show();
    tool.Text1->setText(scratch.Path("data"));
    tool.Command3->click();
    EXPECT_EQ(desktop.Texts(), QStringList{"設定ファイルに書き込めません。"});
    EXPECT_TRUE(tool.isVisible());
  }
};

TEST_F(Faults, SettingsFileThatCannotBeReplacedStays) {
  QDir().mkpath(scratch.Path("data"));
  const QString ini = scratch.Write("prog/s.ini", kStored);
  QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  // The folder would take a new file: only the file's own permission stops it.
  QFile::setPermissions(scratch.Path("prog"), QFileDevice::Permissions(0x7777));
  {
    test::AsOrdinaryUser user(scratch);
    ExpectSettingsKept(ini);
  }
  EXPECT_EQ(Scratch::Read(ini), kStored);
  // As settings, odd paths give the defaults and are never replaced.
  for (size_t i = 0; i < std::size(kOddMakers); ++i) {
    const QString odd = scratch.Path(QStringLiteral("odd%1.ini").arg(i));
    ASSERT_TRUE(kOddMakers[i](odd));
    ExpectSettingsKept(odd);
    EXPECT_FALSE(QFileInfo(QFileInfo(odd).canonicalFilePath()).isFile()) << "replaced";
  }
  SmallFileSystem disk(scratch.Path("prog"), 16);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
  const QString full = scratch.Write("prog/s.ini", kStored);
  Fill(scratch.Path("prog"));
  ExpectSettingsKept(full);
  EXPECT_EQ(Scratch::Read(full), kStored);
  EXPECT_EQ(AllEntries(scratch.Path("prog")), (QStringList{"filler", "s.ini"})) << "no leftover";
}

// A record that is now a folder, a FIFO, /dev/zero, or a hundred megabytes
// without a line end is refused; the record shown stays, and a folder in
// its place is neither read nor moved.
TEST_F(Faults, RecordsThatAreNotRecordsAreRefused) {
  StartOnData();
  const QString plain = Put("plain.txt", PlainRecord(3)), folder = Put("0001060720100530.txt", PlainRecord(1));
  Load(folder);
  const QImage picture = form->Picture1->Canvas().copy();
  QFile::remove(folder);
  scratch.Write("data/0001060720100530.txt/inside.txt", "keep");
  form->Option2[1]->click();  // decodes the file again: ends quietly, the graph stays
  EXPECT_EQ(form->Picture1->Canvas(), picture);
  for (int i = 0; i < 3; ++i) form->Text1[i]->setText("x");
  desktop.answers = {scratch.Path("data/x_x_x_2ed_0001060720100530.txt")};
  form->Command5->click();
  EXPECT_EQ(desktop.Texts(), QStringList{"ファイルを保存できませんでした。"});
  EXPECT_EQ(Scratch::Read(folder + "/inside.txt"), "keep");

  QStringList odd{folder, scratch.Path("data/fifo.txt"), scratch.Path("data/zero.txt"), scratch.Path("data/big.txt")};
  ASSERT_TRUE(kOddMakers[0](odd[1]) && kOddMakers[1](odd[2]));
  {
    QFile big(odd[3]);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(tools::RecordText(PlainRecord(7)).toLatin1());
    for (const QByteArray filler(64 * 1024, '7'); big.size() < 100 * 1024 * 1024;) big.write(filler);
  }
  for (const QString& path : odd) {
    Load(plain);
    const QImage shown = form->Picture1->Canvas().copy();
    desktop.shown.clear();
    Load(path);
    EXPECT_EQ(desktop.Texts(), QStringList{"ファイルを読み込めませんでした。"}) << path.toStdString();
    EXPECT_EQ(form->State().RecordPath, plain);
    EXPECT_EQ(form->Picture1->Canvas(), shown);
  }
}

// The program folder, where Work.bmp goes, is full and holds an earlier
// bitmap: the picture is made through the cache folder and shows the window,
// never the earlier bitmap; with no cache folder either, nothing is saved.
TEST_F(Faults, SnapshotOntoAFullDiskNeverUsesTheEarlierBitmap) {
  SmallFileSystem disk(scratch.Path("prog"), 16);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
  StartOnData();
  const QString jpg = scratch.Write("shot.jpg", "earlier picture"), bmp = scratch.Path("prog/Work.bmp");
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(bmp, "BMP"));
  const QByteArray earlier = Scratch::Read(bmp);
  Fill(scratch.Path("prog"));
  Load(Put("0001.txt", PlainRecord(1)));
  scratch.Write("blocker", "x");
  for (const char* cache : {"blocker/cache", "cache"}) {
    qputenv("XDG_CACHE_HOME", scratch.Path(cache).toUtf8());
    desktop.shown.clear();
    desktop.answers = {jpg};
    form->Command6->click();
    const bool saved = QByteArray(cache) == "cache";
    EXPECT_EQ(desktop.Texts().last(), saved ? "コピー保存して宜しいですか？" : "JPEGファイルを保存できませんでした。");
    EXPECT_EQ(QImage(jpg, "JPG").size(), saved ? form->size() : QSize(0, 0)) << cache;
    EXPECT_EQ(Scratch::Read(bmp), earlier);
  }
  qunsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(AllEntries(scratch.Path("prog")), (QStringList{"Work.bmp", "filler"}));
  EXPECT_FALSE(form->Command6->isHidden());
}

}  // namespace

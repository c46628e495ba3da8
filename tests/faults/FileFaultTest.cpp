// The windows meeting files that cannot be written, are not what they were,
// or carry names the platform cannot spell.
#include "FaultSupport.h"
#include "mainwin/Form1Fixture.h"
#include "record/RecordFile.h"
#include "settings/IniFile.h"
#include "tool/ToolForm.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>

using namespace ptlog;
using ptlog::test::AllEntries;
using ptlog::test::AsOrdinaryUser;
using ptlog::test::Form1Fixture;
using ptlog::test::PlainRecord;
using ptlog::test::Scratch;
using ptlog::test::SmallFileSystem;

namespace {

const QByteArray kStored = "[Port Set]\r\nCommPort=2\r\n[Display Set]\r\nScale=1MPa\r\n";

// Fills a file system until it refuses another byte.
void Fill(const QString& folder) {
  QFile filler(folder + "/filler");
  if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
  const QByteArray block(512, 'f');
  while (filler.write(block) > 0) {
  }
}

class SettingsRefused : public Form1Fixture {
protected:
  void ExpectSettingsKept(const QString& ini, const QByteArray& stored);
};

// The main program and the tool on a settings file they cannot replace: the
// main program ends quietly, the tool says so and stays open; the file stays.
void SettingsRefused::ExpectSettingsKept(const QString& ini, const QByteArray& stored) {
  QDir().mkpath(scratch.Path("data"));
  {
    Form1 form(desktop, SettingsLocation{scratch.Path("prog") + "/", ini});
    form.Load();
    form.Option2[1]->setChecked(true);
    form.close();
  }
  EXPECT_EQ(desktop.ended, 1);
  EXPECT_TRUE(desktop.shown.empty());
  ToolForm tool(desktop, SettingsLocation{scratch.Path("prog") + "/", ini});
  tool.Startup();
  tool.show();
  tool.Text1->setText(scratch.Path("data"));
  tool.Command3->click();
  ASSERT_EQ(desktop.shown.size(), 1u);
  EXPECT_EQ(desktop.shown[0].text, "設定ファイルに書き込めません。");
  EXPECT_TRUE(tool.isVisible());
  if (!stored.isNull()) {
    EXPECT_EQ(Scratch::Read(ini), stored);
  }
}

TEST_F(SettingsRefused, ReadOnlyFile) {
  QDir().mkpath(scratch.Path("data"));
  const QString ini = scratch.Write("prog/s.ini", kStored);
  QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  // The folder would take a new file: only the file's own permission stops it.
  QFile::setPermissions(scratch.Path("prog"), QFileDevice::Permissions(0x7777));
  AsOrdinaryUser user(scratch);
  ExpectSettingsKept(ini, kStored);
}

TEST_F(SettingsRefused, FullDisk) {
  SmallFileSystem disk(scratch.Path("prog"), 16);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
  const QString ini = scratch.Write("prog/s.ini", kStored);
  Fill(scratch.Path("prog"));
  ExpectSettingsKept(ini, kStored);
  EXPECT_EQ(AllEntries(scratch.Path("prog")), (QStringList{"filler", "s.ini"})) << "no leftover";
}

// Paths that are not regular files: a FIFO would block the window for ever,
// /dev/zero would never end. As settings they give the defaults and are never
// replaced; as records they are refused and the record shown stays.
TEST_F(SettingsRefused, FifoOrDeviceIsNeitherReadNorReplaced) {
  bool (*const makers[])(const QString&) = {
      [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0666) == 0; },
      [](const QString& p) { return QFile::link("/dev/zero", p); }};
  QDir().mkpath(scratch.Path("data"));
  const QString plain = scratch.Path("data/plain.txt");
  WriteRecordFile(plain, tools::RecordText(PlainRecord(3)));
  for (size_t i = 0; i < std::size(makers); ++i) {
    const QString ini = scratch.Path(QStringLiteral("odd%1.ini").arg(i));
    ASSERT_TRUE(makers[i](ini));
    desktop.shown.clear();
    desktop.ended = 0;
    ExpectSettingsKept(ini, QByteArray());
    EXPECT_FALSE(QFileInfo(QFileInfo(ini).canonicalFilePath()).isFile()) << "replaced";

    Start("[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() + "\r\n");
    const QString odd = scratch.Path(QStringLiteral("data/000%1060720100530.txt").arg(i));
    ASSERT_TRUE(makers[i](odd));
    desktop.shown.clear();
    desktop.answers = {plain, odd};
    form->Command2->click();
    form->Command2->click();
    EXPECT_EQ(desktop.Texts(), QStringList{"ファイルを読み込めませんでした。"});
    EXPECT_EQ(form->State().RecordPath, plain);
  }
}

class RecordFiles : public Form1Fixture {
protected:
  void SetUp() override {
    QDir().mkpath(scratch.Path("data"));
    QDir().mkpath(scratch.Path("prog"));
    Start("[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() +
          "\r\nProgramPath=" + scratch.Path("prog/").toUtf8() + "\r\n");
  }
  void Load(const QString& path) {
    desktop.answers = {path};
    form->Command2->click();
  }
};

TEST_F(RecordFiles, ReplacedByAFolderIsNeitherReadNorMoved) {
  const QString path = scratch.Path("data/0001060720100530.txt");
  WriteRecordFile(path, tools::RecordText(PlainRecord(1)));
  Load(path);
  const QImage picture = form->Picture1->Canvas().copy();
  QFile::remove(path);
  scratch.Write("data/0001060720100530.txt/inside.txt", "keep");

  // Another scale decodes the file again: it ends quietly, the graph stays.
  form->Option2[1]->click();
  EXPECT_TRUE(desktop.shown.empty());
  EXPECT_EQ(form->Picture1->Canvas(), picture);

  for (int i = 0; i < 3; ++i) form->Text1[i]->setText("x");
  desktop.answers = {scratch.Path("data/x_x_x_2ed_0001060720100530.txt")};
  form->Command5->click();
  Load(path);
  EXPECT_EQ(desktop.Texts(), (QStringList{"ファイルを保存できませんでした。", "ファイルを読み込めませんでした。"}));
  EXPECT_EQ(AllEntries(scratch.Path("data")), QStringList{"0001060720100530.txt"});
  EXPECT_EQ(Scratch::Read(path + "/inside.txt"), "keep");
  EXPECT_EQ(form->State().RecordPath, path);
}

// A hundred megabytes without a line end is a damaged file, not a record to
// read into memory; the record shown stays.
TEST_F(RecordFiles, HundredMegabyteLineIsRefused) {
  const QByteArray record = tools::RecordText(PlainRecord(7)).toLatin1();
  const QString plain = scratch.Path("data/plain.txt");
  WriteRecordFile(plain, QString::fromLatin1(record));
  Load(plain);
  const QImage picture = form->Picture1->Canvas().copy();
  const QString path = scratch.Path("data/big.txt");
  {
    QFile big(path);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(record);
    for (const QByteArray filler(64 * 1024, '7'); big.size() < 100 * 1024 * 1024;) big.write(filler);
  }
  Load(path);
  EXPECT_EQ(desktop.Texts(), QStringList{"ファイルを読み込めませんでした。"});
  EXPECT_EQ(form->State().RecordPath, plain);
  EXPECT_EQ(form->Picture1->Canvas(), picture);
}

TEST_F(RecordFiles, SnapshotOntoAFullDiskKeepsTheEarlierPictureAndWorkBitmap) {
  // The program folder, where Work.bmp goes, and the picture on one full disk.
  SmallFileSystem disk(scratch.Path("prog"), 16);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
  const QString jpg = scratch.Write("prog/shot.jpg", "earlier picture");
  const QString bmp = scratch.Write("prog/Work.bmp", "earlier bitmap");
  Fill(scratch.Path("prog"));
  const QString path = scratch.Path("data/0001060720100530.txt");
  WriteRecordFile(path, tools::RecordText(PlainRecord(1)));
  Load(path);
  desktop.answers = {jpg};
  form->Command6->click();
  EXPECT_EQ(desktop.Texts(), (QStringList{"コピー保存して宜しいですか？", "JPEGファイルを保存できませんでした。"}));
  EXPECT_EQ(Scratch::Read(jpg), "earlier picture");
  EXPECT_EQ(Scratch::Read(bmp), "earlier bitmap");
  EXPECT_EQ(AllEntries(scratch.Path("prog")), (QStringList{"Work.bmp", "filler", "shot.jpg"}));
  EXPECT_FALSE(form->Command6->isHidden());
}

TEST(UnspellableNames, ToolListsTheOtherFoldersAndTouchesNone) {
  Scratch scratch;
  QDir().mkpath(scratch.Path("data/a"));
  // "テスト" in Shift-JIS: not a name in this platform's file-name encoding.
  const QByteArray raw = QFile::encodeName(scratch.Path("data")) + "/\x83\x65\x83\x58\x83\x67";
  ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
  const QString ini = scratch.Write(
      "prog/s.ini", EncodeSettingText("[Data Set]\r\nDataPath=" + scratch.Path("data") + "\r\n"));
  test::FakeDesktop desktop;
  ToolForm tool(desktop, SettingsLocation{scratch.Path("prog") + "/", ini});
  tool.Startup();
  QStringList entries;
  for (int i = 0; i < tool.Dir1->count(); ++i) entries << tool.Dir1->item(i)->text();
  EXPECT_EQ(entries, (QStringList{"..", "a"}));
  EXPECT_TRUE(desktop.shown.empty());
  struct stat info {};
  EXPECT_EQ(::stat(raw.constData(), &info), 0);
}

}  // namespace

// The windows meeting files that cannot be written, are not what they were,
// or carry names the platform cannot spell.
#include "FaultSupport.h"
#include "mainwin/Form1Fixture.h"
#include "platform/SaveJpg.h"
#include "record/RecordFile.h"
#include "settings/IniFile.h"
#include "tool/ToolForm.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>

using namespace ptlog;
using ptlog::test::AllEntries;
using ptlog::test::AsOrdinaryUser;
using ptlog::test::FileDialogRecorder;
using ptlog::test::Form1Fixture;
using ptlog::test::MessageRecorder;
using ptlog::test::PlainRecord;
using ptlog::test::Scratch;
using ptlog::test::SetWritable;
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

// A settings file that refuses writes: read-only, or on a full disk.
struct Refusal {
  const char* name;
  bool readOnly;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class SettingsRefused : public ::testing::TestWithParam<Refusal> {
protected:
  void SetUp() override {
    QDir().mkpath(scratch.Path("prog"));
    QDir().mkpath(scratch.Path("data"));
    if (GetParam().readOnly) {
      ini = scratch.Write("prog/s.ini", kStored);
      SetWritable(ini, false);
      // The folder would take a new file: only the file's own permission stops it.
      QFile::setPermissions(scratch.Path("prog"), QFileDevice::Permissions(0x7777));
      user = std::make_unique<AsOrdinaryUser>(scratch);
    } else {
      disk = std::make_unique<SmallFileSystem>(scratch.Path("prog"), 16);
      if (!disk->Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
      ini = scratch.Write("prog/s.ini", kStored);
      Fill(scratch.Path("prog"));
    }
  }
  void TearDown() override {
    user.reset();
    disk.reset();
  }

  Scratch scratch;
  QString ini;
  std::unique_ptr<SmallFileSystem> disk;
  std::unique_ptr<AsOrdinaryUser> user;
};

TEST_P(SettingsRefused, MainProgramEndsQuietlyAndTheFileStays) {
  ResetProgramEnding();
  int ended = 0;
  SetProgramEnder([&] { ++ended; });
  MessageRecorder messages;
  {
    Form1 form(SettingsLocation{scratch.Path("prog") + "/", ini});
    form.Load();
    form.show();
    form.Option2[1]->setChecked(true);
    form.close();
  }
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Scratch::Read(ini), kStored);
  EXPECT_EQ(AllEntries(scratch.Path("prog")).filter("s.ini"), QStringList{"s.ini"}) << "no leftover";
  SetProgramEnder({});
  ResetProgramEnding();
}

TEST_P(SettingsRefused, ToolSaysSoAndStaysOpen) {
  MessageRecorder messages;
  ToolForm tool(SettingsLocation{scratch.Path("prog") + "/", ini});
  tool.Startup();
  tool.show();
  tool.Text1->setText(scratch.Path("data"));
  tool.Command3->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "設定ファイルに書き込めません。");
  EXPECT_TRUE(tool.isVisible());
  EXPECT_EQ(Scratch::Read(ini), kStored);
}

INSTANTIATE_TEST_SUITE_P(Ways, SettingsRefused,
                         ::testing::Values(Refusal{"read_only", true}, Refusal{"disk_full", false}),
                         [](const auto& info) { return std::string(info.param.name); });

class RecordFiles : public Form1Fixture {
protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    QDir().mkpath(scratch.Path("data"));
    QDir().mkpath(scratch.Path("prog"));
    Start("[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() +
          "\r\nProgramPath=" + scratch.Path("prog/").toUtf8() + "\r\n");
  }
  void Load(const QString& path) {
    dialogs.answers = {path};
    form->Command2->click();
  }
  FileDialogRecorder dialogs;
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
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(form->Picture1->Canvas(), picture);

  for (int i = 0; i < 3; ++i) form->Text1[i]->setText("x");
  dialogs.answers = {scratch.Path("data/x_x_x_2ed_0001060720100530.txt")};
  form->Command5->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "ファイルを保存できませんでした。");
  EXPECT_EQ(AllEntries(scratch.Path("data")), QStringList{"0001060720100530.txt"});
  EXPECT_EQ(Scratch::Read(path + "/inside.txt"), "keep");

  messages.shown.clear();
  Load(path);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "ファイルを読み込めませんでした。");
  EXPECT_EQ(form->State().RecordPath, path);
}

TEST_F(RecordFiles, HundredMegabyteFilesAreReadToTheirFirstItemOnly) {
  const QByteArray record = tools::RecordText(PlainRecord(7)).toLatin1();
  const QString plain = scratch.Path("data/plain.txt");
  WriteRecordFile(plain, QString::fromLatin1(record));
  Load(plain);
  const QString caption = form->Label4[0]->text();
  const QImage picture = form->Picture1->Canvas().copy();

  constexpr qint64 kSize = 100 * 1024 * 1024;
  struct Case {
    const char* name;
    QByteArray record, filler;  // the file: the record, then filler to 100 MB
    bool shown;                 // else refused as damaged, the record before kept
  } cases[] = {{"many lines", record + "\r\n", record + "\r\n", true},
               {"one unbroken line", record, QByteArray(64 * 1024, '7'), false}};
  for (const Case& c : cases) {
    const QString path = scratch.Path("data/big.txt");
    {
      QFile big(path);
      ASSERT_TRUE(big.open(QIODevice::WriteOnly));
      big.write(c.record);
      while (big.size() < kSize) big.write(c.filler);
    }
    Load(plain);
    messages.shown.clear();
    Load(path);
    EXPECT_EQ(messages.shown.empty(), c.shown) << c.name;
    EXPECT_EQ(form->State().RecordPath, c.shown ? path : plain) << c.name;
    EXPECT_EQ(form->Label4[0]->text(), caption) << c.name;
    EXPECT_EQ(form->Picture1->Canvas(), picture) << c.name;
    QFile::remove(path);
  }
}

TEST_F(RecordFiles, SnapshotOntoAFullDiskKeepsTheEarlierPictureAndWorkBitmap) {
  // The program folder, where Work.bmp goes, and the picture on one full disk.
  SmallFileSystem disk(scratch.Path("prog"), 16);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system is not allowed here";
  const QString jpg = scratch.Write("prog/shot.jpg", "earlier picture");
  const QString bmp = scratch.Write("prog/Work.bmp", "earlier bitmap");
  Fill(scratch.Path("prog"));
  SetSaveJpgLibrary(PTLOG_SAVEJPG_LIB);
  const QString path = scratch.Path("data/0001060720100530.txt");
  WriteRecordFile(path, tools::RecordText(PlainRecord(1)));
  Load(path);

  messages.answer = MessageAnswer::Yes;
  dialogs.answers = {jpg};
  form->Command6->click();
  SetSaveJpgLibrary(QString());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "JPEGファイルを保存できませんでした。");
  EXPECT_EQ(Scratch::Read(jpg), "earlier picture");
  EXPECT_EQ(Scratch::Read(bmp), "earlier bitmap");
  EXPECT_EQ(AllEntries(scratch.Path("prog")), (QStringList{"Work.bmp", "filler", "shot.jpg"}));
  EXPECT_FALSE(form->Command6->isHidden());
}

// Paths that are not regular files: a FIFO would block the window for ever,
// /dev/zero would never end.
struct Odd {
  const char* name;
  bool (*make)(const QString&);
  bool (*isKind)(mode_t);
};
void PrintTo(const Odd& o, std::ostream* os) { *os << o.name; }
const Odd kOdd[] = {
    {"fifo", [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0666) == 0; },
     [](mode_t m) { return S_ISFIFO(m); }},
    {"link_to_dev_zero", [](const QString& p) { return QFile::link("/dev/zero", p); },
     [](mode_t m) { return S_ISCHR(m); }}};

class OddPaths : public Form1Fixture, public ::testing::WithParamInterface<Odd> {};

TEST_P(OddPaths, AsSettingsFileGiveDefaultsAndAreNeverReplaced) {
  const QString ini = scratch.Path("odd.ini");
  QDir().mkpath(scratch.Path("data"));
  ASSERT_TRUE(GetParam().make(ini));
  {
    Form1 form(SettingsLocation{scratch.Path("prog") + "/", ini});
    form.Load();
    form.show();
    EXPECT_TRUE(form.Option2[0]->isChecked()) << "defaults";
    form.Option2[1]->setChecked(true);
    form.close();
  }
  ToolForm tool(SettingsLocation{scratch.Path("prog") + "/", ini});
  tool.Startup();
  tool.Text1->setText(scratch.Path("data"));
  tool.Command3->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "設定ファイルに書き込めません。");
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(ini).constData(), &st), 0);
  EXPECT_TRUE(GetParam().isKind(st.st_mode)) << "replaced";
}

TEST_P(OddPaths, AsRecordFileAreRefusedAndTheRecordStays) {
  QDir().mkpath(scratch.Path("data"));
  Start("[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() + "\r\n");
  FileDialogRecorder dialogs;
  const QString plain = scratch.Path("data/plain.txt");
  WriteRecordFile(plain, tools::RecordText(PlainRecord(3)));
  dialogs.answers = {plain};
  form->Command2->click();
  const QString odd = scratch.Path("data/0001060720100530.txt");
  ASSERT_TRUE(GetParam().make(odd));
  dialogs.answers = {odd};
  form->Command2->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "ファイルを読み込めませんでした。");
  EXPECT_EQ(form->State().RecordPath, plain);
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddPaths, ::testing::ValuesIn(kOdd),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UnspellableNames, ToolListsTheOtherFoldersAndTouchesNone) {
  Scratch scratch;
  QDir().mkpath(scratch.Path("data/a"));
  // "テスト" in Shift-JIS: not a name in this platform's file-name encoding.
  const QByteArray raw = QFile::encodeName(scratch.Path("data")) + "/\x83\x65\x83\x58\x83\x67";
  ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
  const QString ini = scratch.Write(
      "prog/s.ini", EncodeSettingText("[Data Set]\r\nDataPath=" + scratch.Path("data") + "\r\n"));
  MessageRecorder messages;
  ToolForm tool(SettingsLocation{scratch.Path("prog") + "/", ini});
  tool.Startup();
  tool.show();
  QStringList entries;
  for (int i = 0; i < tool.Dir1->count(); ++i) entries << tool.Dir1->item(i)->text();
  EXPECT_EQ(entries, (QStringList{"..", "a"}));
  EXPECT_TRUE(messages.shown.empty());
  struct stat info {};
  EXPECT_EQ(::stat(raw.constData(), &info), 0);
}

}  // namespace

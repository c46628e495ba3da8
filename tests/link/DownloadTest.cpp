// Downloads over a real pseudo-terminal pair against the logger simulator.
#include "LinkFixture.h"

using namespace ptlog;
using namespace ptlog::test;

namespace {

// Each way the logger may send its records: every file is one whole line
// as sent, the outcome is the true one, and the closing command goes out
// only after a verified end block.
TEST_F(LinkFixture, EveryFileIsOneWholeLineAsSent) {
  const char* const done = "3　件のデータを読み込みました。";
  const char* const cut = "読み込みデータが中断しました。";
  const struct {
    const char* mode;
    int files;
    const char* result;
    bool closingSent;
  } cases[] = {{"normal", 3, done, true},      {"wrong-count", 3, cut, false}, {"split-end", 3, done, true},
               {"echo", 3, done, true},        {"no-final-cr", 3, done, true}, {"no-end-block", 3, cut, false},
               {"stall", 3, done, true},       {"garbage", 3, done, true},
               // Half-way is inside the second record: the part that came is not written.
               {"stop-mid", 1, cut, false}};
  const QString records = MakeRecords(scratch, "logger", 3);
  for (const auto& c : cases) {
    QDir(scratch.Path("data")).removeRecursively();
    QDir().mkpath(scratch.Path("data"));
    view = {};
    view.okVisible = true;  // the last run's OK, hidden while this one reads
    bool okWhileReading = false;
    view.onActivity = [&] { okWhileReading |= view.okVisible && !view.activity[0].isEmpty(); };
    const QStringList received =
        DownloadFrom(records, {"--mode", c.mode, "--split-pause-ms", QString::number(24 * kTickMs)});
    EXPECT_FALSE(okWhileReading) << c.mode;
    EXPECT_TRUE(view.errors.isEmpty()) << c.mode << view.errors.join('|').toStdString();
    EXPECT_EQ(view.status, QString::fromUtf8(c.result)) << c.mode;
    EXPECT_TRUE(view.panelVisible && view.okVisible && view.activity[0].isEmpty());
    const QStringList files = DataFiles();
    ASSERT_EQ(files.size(), c.files) << c.mode << files.join(' ').toStdString();
    for (int i = 0; i < files.size(); ++i)
      EXPECT_EQ(Scratch::Read(scratch.Path("data/" + files[i])),
                Scratch::Read(QDir(records).filePath(QStringLiteral("in%1.txt").arg(i))))
          << c.mode << " " << files[i].toStdString();
    EXPECT_EQ(received, QStringList({"CR", "CmdRM", "CmdDC"}).mid(0, c.closingSent ? 3 : 2));
    EXPECT_FALSE(port.IsOpen());
  }
}

TEST_F(LinkFixture, SilentLoggerIsAskedReadRetrialPlusOneTimes) {
  for (auto [retries, attempts] : {std::pair{3, 4}, {0, 1}}) {
    const QStringList received = DownloadFrom(MakeRecords(scratch, "logger", 1), {"--mode", "silent"},
                                              [&](LinkSettings& s) { s.ReadRetrial = qint16(retries); });
    EXPECT_EQ(view.status, "読み込むデータが有りません。") << retries;
    EXPECT_EQ(received.count("CmdRM"), attempts) << retries;
    EXPECT_TRUE(DataFiles().isEmpty());
  }
}

TEST_F(LinkFixture, SameNameTwiceKeepsTheLaterAndCountsBoth) {
  const QString dir = scratch.Path("logger");
  QDir().mkpath(dir);
  tools::RecordSpec first = tools::TypedTest(1, 750, 10, 10, 300, 750, 1);
  tools::RecordSpec second = first;
  second.testPressureKpa = 1500;
  WriteRecordFile(dir + "/a.txt", tools::RecordText(first));
  WriteRecordFile(dir + "/b.txt", tools::RecordText(second));
  DownloadFrom(dir, {"--baud", "9600"});  // the logger's own speed, paced
  EXPECT_EQ(view.status, "2　件のデータを読み込みました。");
  ASSERT_EQ(DataFiles().size(), 1);
  EXPECT_EQ(Scratch::Read(scratch.Path("data/" + DataFiles()[0])), Scratch::Read(dir + "/b.txt"));
}

TEST_F(LinkFixture, PlatformErrorsTakeTheErrorPath) {
  const std::pair<std::function<void(LinkSettings&)>, QString> cases[] = {
      {[this](LinkSettings& s) { s.DataPath = scratch.Path("gone") + "/"; },
       " 76\rパスが見つかりません。\r" + scratch.Path("gone")},
      {[this](LinkSettings& s) { s.CommDevice = scratch.Path("no-such-tty"); }, " 8002\rポート番号が不正です。"},
      {[](LinkSettings& s) { s.CommSettings.clear(); }, " 8018\rポートが開いていないときは無効な操作です。"},
      {[](LinkSettings& s) { s.CommSettings = "fast"; }, " 380\rプロパティの値が不正です。"}};
  for (const auto& [change, message] : cases) {
    view = {};
    DownloadFrom(MakeRecords(scratch, "logger", 1), {}, change);
    EXPECT_EQ(view.errors, QStringList{message});
    EXPECT_FALSE(view.panelVisible);
    EXPECT_EQ(view.activity[0], "");
  }
}

// No to the question does nothing; a second press while one runs is refused;
// the program ending abandons the download without a result.
TEST_F(LinkFixture, QuestionSecondPressAndProgramEnd) {
  const QString records = MakeRecords(scratch, "logger", 1);
  view.answerYes = false;
  EXPECT_TRUE(DownloadFrom(records).isEmpty());
  EXPECT_FALSE(view.panelVisible || port.IsOpen());

  view.answerYes = true;
  bool tried = false;
  view.onPanel = [&](bool shown) {
    if (!shown || tried) return;
    tried = true;
    EXPECT_TRUE(link.Running());
    link.DownloadRecords();
  };
  DownloadFrom(records);
  EXPECT_TRUE(tried);
  EXPECT_EQ(view.questions.size(), 2);
  EXPECT_EQ(view.status, "1　件のデータを読み込みました。");
  EXPECT_FALSE(link.Running());

  view = {};
  QTimer::singleShot(10 * kTickMs, [this] { view.ending = true; });
  EXPECT_LT(DownloadFrom(records, {"--mode", "silent"}).count("CmdRM"), 4);
  EXPECT_EQ(view.status, "データ読み込み中") << "no result was shown";
  EXPECT_TRUE(view.errors.isEmpty());
}

}  // namespace

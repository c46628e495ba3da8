// Downloads over a real pseudo-terminal pair against the logger simulator.
#include "LinkFixture.h"

#include "record/RecordFile.h"
#include "tools/RecordGenerator.h"

#include <QDir>

using namespace ptlog;
using ptlog::test::LinkFixture;
using ptlog::test::MakeRecords;
using ptlog::test::Scratch;
using ptlog::test::Simulator;

namespace {

struct ExchangeCase {
  const char* mode;
  int filesWritten;
  const char* result;
  bool closingSent;
};

class Exchange : public LinkFixture, public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(Exchange, EveryFileIsOneWholeLineAsSent) {
  const ExchangeCase& c = GetParam();
  const QString records = MakeRecords(scratch, "logger", 3);
  Simulator sim(records,
                {"--baud", "0", "--mode", c.mode, "--split-pause-ms", QString::number(24 * kTickMs)});
  ASSERT_FALSE(sim.device.isEmpty());
  link.SetSettings(SettingsFor(sim.device));
  link.DownloadRecords();

  EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join('|').toStdString();
  EXPECT_EQ(view.status, QString::fromUtf8(c.result)) << c.mode;
  EXPECT_EQ(view.questions, QStringList{"データ読み込みをして宜しいですか？"});
  EXPECT_TRUE(view.panelVisible && view.okVisible);
  // Nothing but whole records, each byte for byte as the logger sent it.
  const QStringList files = DataFiles();
  ASSERT_EQ(files.size(), c.filesWritten) << files.join(' ').toStdString();
  for (int i = 0; i < files.size(); ++i)
    EXPECT_EQ(Scratch::Read(scratch.Path("data/" + files[i])),
              Scratch::Read(QDir(records).filePath(QStringLiteral("in%1.txt").arg(i))))
        << c.mode << " " << files[i].toStdString();
  const QStringList sent = c.closingSent ? QStringList{"CR", "CmdRM", "CmdDC"} : QStringList{"CR", "CmdRM"};
  EXPECT_EQ(sim.Received(), sent);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(view.activity[0], "");
}

const char* const kDone = "3　件のデータを読み込みました。";
const char* const kCut = "読み込みデータが中断しました。";
INSTANTIATE_TEST_SUITE_P(
    Modes, Exchange,
    ::testing::Values(ExchangeCase{"normal", 3, kDone, true}, ExchangeCase{"wrong-count", 3, kCut, false},
                      ExchangeCase{"split-end", 3, kDone, true}, ExchangeCase{"echo", 3, kDone, true},
                      ExchangeCase{"no-final-cr", 3, kDone, true},
                      ExchangeCase{"no-end-block", 3, kCut, false}, ExchangeCase{"stall", 3, kDone, true},
                      ExchangeCase{"garbage", 3, kDone, true},
                      // Half-way is inside the second record: the part that came is not written.
                      ExchangeCase{"stop-mid", 1, kCut, false}),
    [](const auto& info) {
      std::string name = info.param.mode;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

TEST_F(LinkFixture, SilentLoggerIsAskedReadRetrialPlusOneTimes) {
  const std::pair<int, int> cases[] = {{3, 4}, {0, 1}};
  for (auto [retries, attempts] : cases) {
    Simulator sim(MakeRecords(scratch, "logger", 1), {"--baud", "0", "--mode", "silent"});
    link.SetSettings(SettingsFor(sim.device, retries));
    link.DownloadRecords();
    EXPECT_EQ(view.status, "読み込むデータが有りません。") << retries;
    EXPECT_EQ(sim.Received().count("CmdRM"), attempts) << retries;
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
  Simulator sim(dir, {"--baud", "0"});
  link.SetSettings(SettingsFor(sim.device));
  link.DownloadRecords();
  EXPECT_EQ(view.status, "2　件のデータを読み込みました。");
  ASSERT_EQ(DataFiles().size(), 1);
  EXPECT_EQ(Scratch::Read(scratch.Path("data/" + DataFiles()[0])), Scratch::Read(dir + "/b.txt"));
}

TEST_F(LinkFixture, PlatformErrorsTakeTheErrorPath) {
  struct Case {
    const char* what;
    std::function<LinkSettings(const QString& device)> settings;
    QString message;
  } cases[] = {
      {"missing data folder",
       [this](const QString& d) {
         LinkSettings s = SettingsFor(d);
         s.DataPath = scratch.Path("gone") + "/";
         return s;
       },
       " 76\rパスが見つかりません。\r" + scratch.Path("gone")},
      {"port that does not exist",
       [this](const QString&) { return SettingsFor(scratch.Path("no-such-tty")); },
       " 8002\rポート番号が不正です。"},
      {"line settings switched off",
       [this](const QString& d) {
         LinkSettings s = SettingsFor(d);
         s.CommSettings.clear();
         return s;
       },
       " 8018\rポートが開いていないときは無効な操作です。"},
      {"line settings not understood",
       [this](const QString& d) {
         LinkSettings s = SettingsFor(d);
         s.CommSettings = "fast";
         return s;
       },
       " 380\rプロパティの値が不正です。"},
  };
  for (const Case& c : cases) {
    Simulator sim(MakeRecords(scratch, "logger", 1), {"--baud", "0"});
    view = {};
    link.SetSettings(c.settings(sim.device));
    link.DownloadRecords();
    ASSERT_EQ(view.errors.size(), 1) << c.what;
    EXPECT_EQ(view.errors[0], c.message) << c.what;
    EXPECT_FALSE(view.panelVisible) << c.what;
    EXPECT_EQ(view.activity[0], "");
    port.Close();
  }
}

TEST_F(LinkFixture, NoToTheQuestionDoesNothing) {
  Simulator sim(MakeRecords(scratch, "logger", 1), {"--baud", "0"});
  view.answerYes = false;
  link.SetSettings(SettingsFor(sim.device));
  link.DownloadRecords();
  EXPECT_FALSE(view.panelVisible);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(sim.Received().isEmpty());
}

TEST_F(LinkFixture, SecondDownloadWhileOneRunsIsRefused) {
  Simulator sim(MakeRecords(scratch, "logger", 1), {"--baud", "0"});
  link.SetSettings(SettingsFor(sim.device));
  bool tried = false;
  view.onPanel = [&](bool shown) {
    if (!shown || tried) return;
    tried = true;
    EXPECT_TRUE(link.Running());
    link.DownloadRecords();
  };
  link.DownloadRecords();
  EXPECT_TRUE(tried);
  EXPECT_EQ(view.questions.size(), 1);
  EXPECT_EQ(view.status, "1　件のデータを読み込みました。");
  EXPECT_FALSE(link.Running());
}

TEST_F(LinkFixture, EndingTheProgramAbandonsTheDownload) {
  Simulator sim(MakeRecords(scratch, "logger", 1), {"--baud", "0", "--mode", "silent"});
  link.SetSettings(SettingsFor(sim.device));
  QTimer::singleShot(10 * kTickMs, [this] { view.ending = true; });
  link.DownloadRecords();
  EXPECT_EQ(view.status, "データ読み込み中") << "no result was shown";
  EXPECT_TRUE(view.errors.isEmpty());
  EXPECT_LT(sim.Received().count("CmdRM"), 4);
}

TEST_F(LinkFixture, PacedDownloadAtNineThousandSixHundredBaud) {
  Simulator sim(MakeRecords(scratch, "logger", 2), {"--baud", "9600"});
  link.SetSettings(SettingsFor(sim.device));
  link.DownloadRecords();
  EXPECT_EQ(view.status, "2　件のデータを読み込みました。");
  EXPECT_EQ(DataFiles().size(), 2);
}

}  // namespace

#include "Form1Fixture.h"
#include "settings/IniFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace ptlog;
using ptlog::test::Form1Fixture;

namespace {

using Startup = Form1Fixture;

const QByteArray kDefaultsWritten = "[Display Set]\r\nScale=1MPa\r\nModel=\x8B\xF3\x88\xB3\r\nDetails=1\r\n";

TEST_F(Startup, FirstStartWithoutSettingsFile) {
  Form1& f = Start(QByteArray());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(f.Option2[0]->isChecked());
  EXPECT_TRUE(f.Option1[0]->isChecked());
  EXPECT_EQ(f.Check1->Value(), 1);
  EXPECT_EQ(f.Settings().CommPort, 1);
  EXPECT_EQ(f.Settings().ReadRetrial, 3);
  for (QLineEdit* t : f.Text1) EXPECT_EQ(t->text(), "");
  for (AutoLabel* l : f.Label4) EXPECT_EQ(l->text(), "");
  for (AutoLabel* l : f.Label2) EXPECT_EQ(l->text(), "");
  EXPECT_TRUE(f.Frame2->isHidden());
  EXPECT_EQ(f.focusWidget(), f.Text1[0]);

  f.Command99->click();
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(SettingsBytes(), kDefaultsWritten) << "exactly the three display keys";
}

TEST_F(Startup, StoredDisplayChoicesAreAppliedAndWrittenBack) {
  const QByteArray stored = "[Display Set]\r\nScale=2MPa\r\nModel=\x90\x85\x88\xB3\r\nDetails=0\r\n";
  Form1& f = Start(stored);
  EXPECT_TRUE(f.Option2[1]->isChecked());
  EXPECT_TRUE(f.Option1[1]->isChecked());
  EXPECT_EQ(f.Check1->Value(), 0);
  f.close();
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(SettingsBytes(), stored);
}

TEST_F(Startup, OnlyExactTextsSelectOneMpaAndAir) {
  const std::tuple<const char*, const char*, bool, bool> cases[] = {
      {"1MPa", "\x8B\xF3\x88\xB3", true, true},
      {"1mpa", "air", false, false},
      {"", "", false, false},
      {"1 MPa", "\x8B\xF3\x88\xB3x", false, false}};
  for (auto [scale, model, oneMpa, air] : cases) {
    Form1& f = Start(QByteArray("[Display Set]\r\nScale=") + scale + "\r\nModel=" + model + "\r\n");
    EXPECT_EQ(f.Option2[0]->isChecked(), oneMpa) << scale;
    EXPECT_EQ(f.Option1[0]->isChecked(), air) << model;
    EXPECT_NE(f.Option2[0]->isChecked(), f.Option2[1]->isChecked());
  }
}

struct FailureCase {
  const char* settings;
  const char* message;
};

class StartupFailure : public Form1Fixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StartupFailure, ShowsTheErrorAndKeepsTheDesignState) {
  Form1& f = Start(GetParam().settings);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(GetParam().message));
  EXPECT_EQ(messages.shown[0].title, "KESTRA PTLOG");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(f.Option2[0]->isChecked());
  EXPECT_TRUE(f.Option1[0]->isChecked());
  EXPECT_EQ(f.Check1->Value(), 1);
  for (QLineEdit* t : f.Text1) EXPECT_EQ(t->text(), "Text1") << "the rest of start-up was skipped";

  f.Command99->click();
  EXPECT_EQ(ended, 1);
  const QString written = DecodeSettingText(SettingsBytes());
  EXPECT_TRUE(written.contains("Scale=1MPa\r\nModel=空圧\r\nDetails=1\r\n")) << written.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupFailure,
    ::testing::Values(FailureCase{"[Port Set]\r\nCommPort=abc\r\n", " 13\r型が一致しません。"},
                      FailureCase{"[Port Set]\r\nCommPort=\r\n", " 13\r型が一致しません。"},
                      FailureCase{"[Port Set]\r\nReadRetrial=40000\r\n", " 6\rオーバーフローしました。"},
                      FailureCase{"[Display Set]\r\nScale=2MPa\r\n[Port Set]\r\nCommPort=x\r\n",
                                  " 13\r型が一致しません。"}));

TEST_F(Startup, DetailsFailureComesAfterScaleAndModelWereApplied) {
  Form1& f = Start("[Display Set]\r\nScale=2MPa\r\nModel=x\r\nDetails=7\r\n");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, " 380\rプロパティの値が不正です。");
  EXPECT_TRUE(f.Option2[1]->isChecked());
  EXPECT_TRUE(f.Option1[1]->isChecked());
  EXPECT_EQ(f.Text1[0]->text(), "Text1");
}

TEST_F(Startup, QuotedArgumentUsesDefaultsAndTheFailedWriteIsSilent) {
  const QString quoted = '"' + scratch.Path("q.ini") + '"';
  Form1& f = StartWith(LocateSettings(scratch.Path("prog"), {"kestra-ptlog", quoted}, QString()));
  EXPECT_EQ(f.Location().SettingsFilePath, quoted);
  EXPECT_TRUE(messages.shown.empty());
  f.Unload();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(QFile::exists(scratch.Path("q.ini")));
}

TEST_F(Startup, UnloadRunsOnceWhateverEndsTheWindow) {
  Form1& f = Start(QByteArray());
  f.Unload();
  f.close();
  f.Command99->click();
  EXPECT_EQ(ended, 1);
}

TEST_F(Startup, OtherLinesOfTheSettingsFileSurviveShutdown) {
  const QByteArray stored = "; kept\r\n[Port Set]\r\nCommPort=2\r\n\r\n[Display Set]\r\nScale=2MPa\r\n";
  Form1& f = Start(stored);
  f.Option2[0]->setChecked(true);
  f.Check1->click();
  f.close();
  EXPECT_EQ(SettingsBytes(),
            "; kept\r\n[Port Set]\r\nCommPort=2\r\n\r\n[Display Set]\r\nScale=1MPa\r\n"
            "Model=\x8B\xF3\x88\xB3\r\nDetails=0\r\n");
}

}  // namespace

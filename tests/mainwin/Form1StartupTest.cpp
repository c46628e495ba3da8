#include "Form1Fixture.h"
#include "settings/IniFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace ptlog;
using ptlog::test::Form1Fixture;

namespace {

using Startup = Form1Fixture;

// What the window shows of the stored display choices, and what it writes back.
TEST_F(Startup, DisplayChoicesAreReadAndWrittenBackLeavingOtherLines) {
  const struct {
    QByteArray stored;
    bool oneMpa, air;
    int details;
    QByteArray written;  // empty: the stored text
  } cases[] = {
      {{}, true, true, 1, "[Display Set]\r\nScale=1MPa\r\nModel=\x8B\xF3\x88\xB3\r\nDetails=1\r\n"},
      {"[Display Set]\r\nScale=2MPa\r\nModel=\x90\x85\x88\xB3\r\nDetails=0\r\n", false, false, 0, {}},
      // Only the exact texts select 1 MPa and air.
      {"[Display Set]\r\nScale=1mpa\r\nModel=air\r\nDetails=2\r\n", false, false, 2,
       "[Display Set]\r\nScale=2MPa\r\nModel=\x90\x85\x88\xB3\r\nDetails=2\r\n"},
      {"; kept\r\n[Port Set]\r\nCommPort=2\r\n\r\n[Display Set]\r\nScale=1 MPa\r\n", false, true, 1,
       "; kept\r\n[Port Set]\r\nCommPort=2\r\n\r\n[Display Set]\r\nScale=2MPa\r\n"
       "Model=\x8B\xF3\x88\xB3\r\nDetails=1\r\n"},
  };
  int ended = 0;
  for (const auto& c : cases) {
    Form1& f = Start(c.stored);
    EXPECT_TRUE(desktop.shown.empty());
    EXPECT_EQ(std::make_tuple(f.Option2[0]->isChecked(), f.Option1[0]->isChecked(), f.Check1->Value()),
              std::make_tuple(c.oneMpa, c.air, c.details))
        << c.stored.constData();
    EXPECT_EQ(f.focusWidget(), f.Text1[0]);
    f.Command99->click();
    f.close();  // the unload step runs once whatever ends the window
    EXPECT_EQ(desktop.ended, ++ended);
    EXPECT_EQ(SettingsBytes(), c.written.isEmpty() ? c.stored : c.written);
  }
}

// A bad value stops the start-up where it is found: the message, the design
// state of the rest, and the shutdown still writes the choices shown.
TEST_F(Startup, FailureShowsTheErrorAndSkipsTheRest) {
  const struct {
    const char* settings;
    const char* message;
    bool oneMpa;
  } cases[] = {
      {"[Port Set]\r\nCommPort=abc\r\n", " 13\r型が一致しません。", true},
      {"[Port Set]\r\nCommPort=\r\n", " 13\r型が一致しません。", true},
      {"[Port Set]\r\nReadRetrial=40000\r\n", " 6\rオーバーフローしました。", true},
      {"[Display Set]\r\nScale=2MPa\r\n[Port Set]\r\nCommPort=x\r\n", " 13\r型が一致しません。", true},
      // Details are read after the scale and model were applied.
      {"[Display Set]\r\nScale=2MPa\r\nModel=x\r\nDetails=7\r\n", " 380\rプロパティの値が不正です。", false},
  };
  for (const auto& c : cases) {
    desktop.shown.clear();
    Form1& f = Start(c.settings);
    EXPECT_EQ(Shown(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(desktop.shown[0].title, "KESTRA PTLOG");
    EXPECT_EQ(f.Option2[0]->isChecked(), c.oneMpa) << c.settings;
    EXPECT_EQ(f.Text1[0]->text(), "Text1") << "the rest of start-up was skipped";
    f.Command99->click();
    EXPECT_TRUE(DecodeSettingText(SettingsBytes()).contains(c.oneMpa ? "Scale=1MPa\r\n" : "Scale=2MPa\r\n"));
  }
}

TEST_F(Startup, QuotedArgumentUsesDefaultsAndTheFailedWriteIsSilent) {
  const QString quoted = '"' + scratch.Path("q.ini") + '"';
  Form1& f = StartWith(LocateSettings(scratch.Path("prog"), {"kestra-ptlog", quoted}, QString()));
  EXPECT_EQ(f.Location().SettingsFilePath, quoted);
  f.Unload();
  EXPECT_EQ(desktop.ended, 1);
  EXPECT_TRUE(desktop.shown.empty());
  EXPECT_FALSE(QFile::exists(scratch.Path("q.ini")));
}

}  // namespace

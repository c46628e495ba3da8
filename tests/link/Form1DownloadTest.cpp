// The download as a user starts it: the button, the question, the panel.
#include "LinkFixture.h"
#include "mainwin/Form1.h"

#include <QDir>
#include <QPushButton>

using namespace ptlog;
using ptlog::test::MakeRecords;
using ptlog::test::MessageRecorder;
using ptlog::test::Scratch;
using ptlog::test::Simulator;

namespace {

TEST(Form1Download, ButtonDownloadsIntoTheDataFolderAndOkClosesThePanel) {
  ResetProgramEnding();
  SetProgramEnder([] {});
  Scratch scratch;
  QDir().mkpath(scratch.Path("data"));
  Simulator sim(MakeRecords(scratch, "logger", 3), {"--baud", "0"});
  const QString ini = scratch.Write(
      "s.ini", ("[Port Set]\r\nCommDevice=" + sim.device + "\r\n[Data Set]\r\nDataPath=" +
                scratch.Path("data") + "/\r\n")
                   .toUtf8());
  MessageRecorder messages(MessageAnswer::Yes);
  Form1 form(SettingsLocation{scratch.Path("p") + "/", ini}, 5);
  form.Load();
  form.show();

  form.Command1->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "データ読み込みをして宜しいですか？");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(QDir(scratch.Path("data")).entryList(QDir::Files).size(), 3);
  EXPECT_EQ(form.Label3[19]->text(), "3　件のデータを読み込みました。");
  EXPECT_FALSE(form.Frame2->isHidden());
  EXPECT_FALSE(form.Command7->isHidden());
  EXPECT_EQ(form.Label2[0]->text(), "");

  form.Command7->click();
  EXPECT_TRUE(form.Frame2->isHidden());
  SetProgramEnder({});
}

}  // namespace

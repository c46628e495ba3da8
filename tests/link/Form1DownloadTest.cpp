// The download as a user starts it: the button, the question, the panel.
#include "FakeDesktop.h"
#include "LinkFixture.h"
#include "mainwin/Form1.h"
#include "tool/ToolForm.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

using namespace ptlog;
using ptlog::test::MakeRecords;
using ptlog::test::Scratch;
using ptlog::test::Simulator;

namespace {

TEST(Form1Download, DeviceSetInTheToolIsWhereTheButtonDownloadsFrom) {
  Scratch scratch;
  test::FakeDesktop desktop;
  QDir().mkpath(scratch.Path("data"));
  Simulator sim(MakeRecords(scratch, "logger", 3), {"--baud", "0"});
  const SettingsLocation where{scratch.Path("p") + "/", scratch.Path("s.ini")};
  {
    ToolForm tool(desktop, where);
    tool.Startup();
    tool.Text1->setText(scratch.Path("data"));
    EXPECT_EQ(tool.Combo2->currentText(), "ポート番号 (/dev/ttyS0)");
    tool.Combo2->setEditText(sim.device);
    tool.Command3->click();
  }
  Form1 form(desktop, where, 5);
  form.Load();
  form.show();

  form.Command1->click();
  EXPECT_EQ(desktop.Texts(), QStringList{"データ読み込みをして宜しいですか？"});
  EXPECT_EQ(desktop.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(QDir(scratch.Path("data")).entryList(QDir::Files).size(), 3);
  EXPECT_EQ(std::make_pair(form.Label3[19]->text(), form.Label2[0]->text()),
            std::make_pair(QString("3　件のデータを読み込みました。"), QString()));
  EXPECT_FALSE(form.Frame2->isHidden() || form.Command7->isHidden());

  // The tool shows the device in use; the port number's entry gives it up.
  ToolForm again(desktop, where);
  again.Startup();
  EXPECT_EQ(again.Combo2->currentText(), sim.device);
  again.Combo2->setCurrentIndex(0);
  again.Command3->click();
  EXPECT_EQ(ReadSetting(where, "Port Set", "CommDevice", "<absent>"), "");
}

}  // namespace

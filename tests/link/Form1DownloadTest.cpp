// The download as a user starts it: the device set in the tool, the button,
// the question, the panel; and the cable pulled half-way.
#include "LinkFixture.h"
#include "WindowTest.h"

using namespace ptlog;
using namespace ptlog::test;

namespace {

TEST(Form1Download, FromTheDeviceSetInTheToolUntilTheCableIsPulled) {
  Scratch scratch;
  FakeDesktop desktop;
  const QString data = scratch.Path("data"), logger = MakeRecords(scratch, "logger", 3);
  QDir().mkpath(data);
  const SettingsLocation where{scratch.Path("p") + "/", scratch.Path("s.ini")};
  // The tool shows the device in use and sets the one given.
  const auto useDevice = [&](const QString& shown, const QString& device) {
    ToolForm tool(desktop, where);
    tool.Startup();
    tool.Text1->setText(data);
    EXPECT_EQ(tool.Combo2->currentText(), shown);
    device.isEmpty() ? tool.Combo2->setCurrentIndex(0) : tool.Combo2->setEditText(device);
    tool.Command3->click();
  };
  Simulator sim(logger, {"--baud", "0"});
  useDevice("ポート番号 (/dev/ttyS0)", sim.device);
  {
    Form1 form(desktop, where, 5);
    form.Load();
    form.show();
    form.Command1->click();
    EXPECT_EQ(desktop.Texts(), QStringList{"データ読み込みをして宜しいですか？"});
    EXPECT_EQ(desktop.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(AllEntries(data).size(), 3);
    EXPECT_EQ(std::make_pair(form.Label3[19]->text(), form.Label2[0]->text()),
              std::make_pair(QString("3　件のデータを読み込みました。"), QString()));
    EXPECT_FALSE(form.Frame2->isHidden() || form.Command7->isHidden());
  }
  const QStringList files = AllEntries(data);
  const QByteArray second = Scratch::Read(data + "/" + files[1]);

  // The cable goes half-way through the second record, while the program
  // still waits for the line to go quiet. Pressed again with the device
  // gone: the port error, and the window is usable.
  Simulator vanishing(logger, {"--baud", "0", "--mode", "vanish", "--split-pause-ms", "20"});
  useDevice(sim.device, vanishing.device);
  desktop.shown.clear();
  Form1 form(desktop, where, 5);
  form.Load();
  form.show();
  form.Command1->click();
  form.Command1->click();
  ASSERT_EQ(desktop.shown.size(), 4u);
  EXPECT_EQ(desktop.shown[1].text, " 8020\r通信ポートの機器が切断されました。");
  EXPECT_EQ(desktop.shown[3].text, " 8002\rポート番号が不正です。");
  EXPECT_TRUE(form.Frame2->isHidden() && form.Command1->isEnabled());
  EXPECT_EQ(AllEntries(data), files);
  EXPECT_EQ(Scratch::Read(data + "/" + files[1]), second) << "the cut record must not replace the whole one";

  // The port number's entry gives the device up.
  useDevice(vanishing.device, QString());
  EXPECT_EQ(ReadSetting(where, "Port Set", "CommDevice", "<absent>"), "");
}

}  // namespace

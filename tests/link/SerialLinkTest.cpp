// The serial layer and the tick-paced waits, over a real pseudo-terminal.
#include "LinkFixture.h"

#include "link/LineMarks.h"

#include <QTimer>
#include <pty.h>
#include <unistd.h>

using namespace ptlog;
using namespace ptlog::test;

namespace {

class Pty : public LinkFixture {
protected:
  void SetUp() override {
    LinkFixture::SetUp();
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    device = QString::fromLocal8Bit(name);
    link.SetSettings(SettingsFor(device));
    port.Configure(1, "9600,n,8,1", device);
    port.Open();
  }
  void TearDown() override {
    LinkFixture::TearDown();
    ::close(master);
    ::close(slave);
  }
  void Send(const QByteArray& bytes) { ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size()); }
  int master = -1, slave = -1;
  QString device;
};

// What goes out goes one character a tick. Data every two ticks for a
// while: a wait of 3 lasts until 16 quiet ticks; a wait of 40 is cut short
// the same way.
TEST_F(Pty, SendsOneCharacterATickAndWaitsUntilSixteenQuietTicks) {
  const qint64 start = clock.TicksSeen;
  link.SendSlowly("CmdRM\r");
  EXPECT_EQ(clock.TicksSeen - start, 6);
  for (int wait : {3, 40}) {
    int sent = 0;
    qint64 lastReceive = -1;
    view.onActivity = [&] { lastReceive = clock.TicksSeen; };
    QTimer feeder;
    QObject::connect(&feeder, &QTimer::timeout, [&] {
      if (sent++ < 8) Send("x");
    });
    feeder.start(2 * kTickMs);
    Send("x");  // something is on the line before the wait starts
    link.WaitTicks(qint16(wait));
    feeder.stop();
    ASSERT_GE(lastReceive, 0);
    EXPECT_EQ(clock.TicksSeen - lastReceive, 16) << wait;
  }
}

// The line settings text as the port's settings; settings the device does
// not take (a pseudo-terminal has no even parity) are refused at the open.
TEST_F(Pty, LineSettingsBecomeThePortsSettings) {
  using P = QSerialPort;
  const std::pair<const char*, PortSettings> cases[] = {
      {"4800,e,7,2", {4800, P::Data7, P::EvenParity, P::TwoStop}}, {"9600,o,8,1", {9600, P::Data8, P::OddParity, P::OneStop}},
      {"1200,m,5,1.5", {1200, P::Data5, P::MarkParity, P::OneAndHalfStop}},
      {"19200,s,6,1", {19200, P::Data6, P::SpaceParity, P::OneStop}}, {"300,n,8,2", {300, P::Data8, P::NoParity, P::TwoStop}}};
  for (const auto& [text, expected] : cases) EXPECT_TRUE(ToPortSettings(ParseLineSettings(text)) == expected) << text;
  port.Close();
  port.Configure(1, "9600,e,8,1", device);
  EXPECT_EQ(ValueOrError([&] { return port.Open(), 0; }), -1000 - ErrPortSettings);
  EXPECT_FALSE(port.IsOpen());
}

// A line that answers the request and loses its device in the same pass:
// the whole records that came are kept (129 characters is one), nothing else.
class LostAfterTheAnswer : public SerialLine {
public:
  void Configure(int, const QString&, const QString&) override {}
  bool IsOpen() const override { return open; }
  void Open() override { open = true; }
  void Close() override { open = false; }
  void Write(const QByteArray& text) override {
    if (!(sent += text).endsWith("CmdRM\r")) return;
    QTimer::singleShot(0, [this] {  // each CR comes on its own
      for (const QByteArray& part : answer.split('\r').join("\n\r\n").split('\n'))
        pending += part, OnCommEvent(CommEventReceive);
      OnCommEvent(CommEventDeviceLost);
    });
  }
  int PendingCount() const override { return int(pending.size()); }
  QByteArray ReadAll() override { return std::exchange(pending, {}); }
  bool open = false;
  QByteArray sent, pending, answer;
};

TEST_F(LinkFixture, DeviceLostInThePassOfTheLastWholeRecordKeepsIt) {
  LostAfterTheAnswer line;
  LoggerLink lost(line, clock, view);
  QByteArray records[3];
  for (int i = 0; i < 3; ++i) {
    tools::RecordSpec s;
    s.inspectionNumber = i + 1, s.samples = {1, 2};
    records[i] = tools::RecordText(s).toLatin1().left(129 - i);
  }
  line.answer = records[0] + "\r" + records[1] + "\r" + records[2] + "DataSe";
  lost.SetSettings(SettingsFor(""));
  lost.DownloadRecords();
  EXPECT_EQ(view.errors, QStringList{" 8020\r通信ポートの機器が切断されました。"});
  EXPECT_EQ(DataFiles(), QStringList{"0001060720140530.txt"});
  EXPECT_EQ(Scratch::Read(scratch.Path("data/0001060720140530.txt")), records[0] + "\r\n");
}

// The driver's marks in the data (PARMRK) become line events wherever a
// read is cut.
TEST(LineMarks, BecomeEventsWhereverAReadIsCut) {
  const std::tuple<QByteArray, bool, QByteArray, std::vector<int>> marks[] = {  // in, parity, data, events
      {QByteArray("a\xFF\x00\x00" "b", 5), false, "ab", {1001}}, {QByteArray("a\xFF\x00x" "b", 5), false, "ab", {1004}},
      {QByteArray("a\xFF\x00x", 4), true, "a", {1009}}, {"\xFF\xFF", false, "\xFF", {}}};
  for (const auto& [in, parity, data, events] : marks) {
    const auto got = LineMarkDecoder(parity).Feed(in);
    EXPECT_EQ(std::make_pair(got.data, got.events), std::make_pair(data, events));
  }
  LineMarkDecoder split;
  const QByteArray first = split.Feed("a\xFF").data;
  EXPECT_EQ(first + split.Feed(QByteArray("\x00\x00z", 3)).data, "az") << "a mark cut between two reads";
}

TEST(LineSettingsText, ParsedOrRefused) {
  const LineSettings s = ParseLineSettings("4800,E,7,2");
  EXPECT_EQ(std::make_tuple(s.baud, s.parity, s.dataBits, s.stopBits), std::make_tuple(4800, 'e', 7, 2.0));
  EXPECT_EQ(ParseLineSettings("9600,n,8,1.5").stopBits, 1.5);
  for (const char* bad : {"", "9600", "9600,x,8,1", "9600,n,9,1", "fast,n,8,1", "9600,n,8,3", "0,n,8,1"})
    EXPECT_THROW(ParseLineSettings(bad), PlatformError) << bad;
}

}  // namespace

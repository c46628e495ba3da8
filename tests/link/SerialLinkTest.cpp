// The serial layer and the tick-paced waits, over a real pseudo-terminal.
#include "LinkFixture.h"

#include "link/LineMarks.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace ptlog;
using ptlog::test::LinkFixture;

namespace {

class Pty : public LinkFixture {
protected:
  void SetUp() override {
    LinkFixture::SetUp();
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, O_NONBLOCK);
    link.SetSettings(SettingsFor(QString::fromLocal8Bit(name)));
    port.Configure(1, "9600,n,8,1", QString::fromLocal8Bit(name));
    port.Open();
  }
  void TearDown() override {
    LinkFixture::TearDown();
    ::close(master);
    ::close(slave);
  }
  void Send(const QByteArray& bytes) { ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size()); }
  // Lets the window's events run until `done` holds (bounded).
  template <typename Pred>
  void RunUntil(Pred done) {
    for (int i = 0; i < 2000 && !done(); ++i) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  int master = -1, slave = -1;
};

// What comes fills the buffer and the activity label, which starts afresh
// after ten characters; what goes out goes one character a tick.
TEST_F(Pty, ReceiveAndSendPaths) {
  Send("ABCDEFGHIJ");
  RunUntil([&] { return link.ReceiveBuffer.size() >= 10; });
  EXPECT_EQ(view.activity[0], "ABCDEFGHIJ");
  Send("K");
  RunUntil([&] { return link.ReceiveBuffer.size() >= 11; });
  EXPECT_EQ(std::make_tuple(view.activity[0], link.ReceivedTotal, link.ReceiveBuffer),
            std::make_tuple(QString("K"), 11, QByteArray("ABCDEFGHIJK")));

  const qint64 start = clock.TicksSeen;
  link.SendSlowly("CmdRM\r");
  EXPECT_EQ(clock.TicksSeen - start, 6);
  QByteArray got;
  char buffer[64];
  RunUntil([&] {
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) got.append(buffer, n);
    return got.size() >= 6;
  });
  EXPECT_EQ(got, "CmdRM\r");
  // New settings take effect at the next open.
  port.Configure(1, "4800,e,7,2", "/nonexistent");
  port.Close();
  EXPECT_THROW(port.Open(), PlatformError);
}

TEST_F(Pty, WaitsLastUntilSixteenQuietTicksAfterTheLastData) {
  // Data every two ticks for a while: a wait of 3 lasts until 16 quiet ticks;
  // a wait of 40 is cut short the same way.
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

// Line events: their messages; the driver's marks in the data (PARMRK)
// become events wherever a read is cut.
TEST_F(LinkFixture, LineEventsAndTheirMarks) {
  const std::pair<int, const char*> messages[] = {
      {1001, "中断信号受信"}, {1004, "フレームエラー"}, {1009, "受信パリティエラー"}, {1010, "送信バッファフル"},
      {1011, "DCB取得エラー"}, {1002, "未定義エラー発生"}, {1, ""}, {1006, ""}, {1008, ""}, {2, ""}};
  for (auto [code, message] : messages) {
    view.lineErrors.clear();
    link.HandleCommEvent(code);
    EXPECT_EQ(view.lineErrors.join(""), QString::fromUtf8(message)) << code;
  }
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
  EXPECT_EQ(PortDeviceName(12, ""), "/dev/ttyS11");
  EXPECT_EQ(PortDeviceName(1, "/dev/ttyUSB0"), "/dev/ttyUSB0");
}

}  // namespace

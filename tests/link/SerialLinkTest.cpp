// The serial layer and the tick-paced waits, over a real pseudo-terminal.
#include "LinkFixture.h"

#include "link/LineMarks.h"
#include "platform/Errors.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QCoreApplication>

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
  void Send(const QByteArray& bytes) {
    ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size());
  }
  QByteArray ReadFarEnd() {
    QByteArray got;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(master, buffer, sizeof buffer)) > 0) got.append(buffer, n);
    return got;
  }
  // Lets the window's events run until the receive path has taken `count` bytes.
  void ReceiveUntil(int count) {
    for (int i = 0; i < 2000 && link.ReceiveBuffer.size() < count; ++i)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  int master = -1, slave = -1;
};

TEST_F(Pty, ActivityLabelIsWipedOnceItHoldsTenCharacters) {
  Send("ABCDEFGHIJ");
  ReceiveUntil(10);
  EXPECT_EQ(view.activity[0], "ABCDEFGHIJ");
  Send("K");
  ReceiveUntil(11);
  EXPECT_EQ(view.activity[0], "K");
  EXPECT_EQ(link.ReceivedTotal, 11);
  EXPECT_EQ(link.ReceiveBuffer, "ABCDEFGHIJK");
  EXPECT_EQ(clock.TickCount <= 16, true);
}

TEST_F(Pty, ReceiveEventWithNothingPendingChangesNothing) {
  clock.TickCount = 3;
  link.HandleCommEvent(CommEventReceive);
  EXPECT_EQ(clock.TickCount, 3);
  EXPECT_EQ(link.ReceivedTotal, 0);
}

TEST_F(Pty, ReceiveIsIgnoredWithTheLineSwitchedOff) {
  LinkSettings off = SettingsFor("x");
  off.CommSettings.clear();
  link.SetSettings(off);
  Send("ABC");
  for (int i = 0; i < 50 && port.PendingCount() < 3; ++i)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  EXPECT_EQ(port.PendingCount(), 3);
  EXPECT_TRUE(link.ReceiveBuffer.isEmpty());
}

TEST_F(Pty, WaitTicksEndsSixteenTicksAfterTheLastData) {
  // Data every two ticks for a while: a wait of 3 lasts until 16 quiet ticks.
  int sent = 0;
  qint64 lastReceive = -1;
  view.onActivity = [&] { lastReceive = clock.TicksSeen; };
  QTimer feeder;
  QObject::connect(&feeder, &QTimer::timeout, [&] {
    if (sent++ < 8) Send("x");
  });
  feeder.start(2 * kTickMs);
  const qint64 start = clock.TicksSeen;
  link.WaitTicks(3);
  feeder.stop();
  ASSERT_GE(lastReceive, 0);
  EXPECT_EQ(clock.TicksSeen - lastReceive, 16);
  EXPECT_GT(clock.TicksSeen - start, 16);
}

TEST_F(Pty, LongWaitIsShortenedBySixteenTicksAfterData) {
  qint64 lastReceive = -1;
  view.onActivity = [&] { lastReceive = clock.TicksSeen; };
  Send("y");
  link.WaitTicks(40);
  ASSERT_GE(lastReceive, 0);
  EXPECT_EQ(clock.TicksSeen - lastReceive, 16);
}

TEST_F(Pty, SendSlowlyPutsOneCharacterOutPerTick) {
  const qint64 start = clock.TicksSeen;
  link.SendSlowly("CmdRM\r");
  EXPECT_EQ(clock.TicksSeen - start, 6);
  QByteArray got;
  for (int i = 0; i < 100 && got.size() < 6; ++i) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    got += ReadFarEnd();
  }
  EXPECT_EQ(got, "CmdRM\r");
}

TEST_F(Pty, ConfigureWhileOpenTakesEffectAtTheNextOpen) {
  port.Configure(1, "4800,e,7,2", "/nonexistent");
  EXPECT_TRUE(port.IsOpen());
  port.Close();
  try {
    port.Open();
    FAIL();
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.Number(), 8002);
  }
}

TEST(LineEvents, MessagesForEachCode) {
  struct FakeLine : SerialLine {
    void Configure(int, const QString&, const QString&) override {}
    bool IsOpen() const override { return false; }
    void Open() override {}
    void Close() override {}
    void Write(const QByteArray&) override {}
    int PendingCount() const override { return 0; }
    QByteArray ReadAll() override { return {}; }
  } line;
  TickClock clock;
  ptlog::test::FakeDownloadView view;
  LoggerLink link(line, clock, view);
  const std::pair<int, const char*> cases[] = {{1001, "中断信号受信"},
                                               {1004, "フレームエラー"},
                                               {1009, "受信パリティエラー"},
                                               {1010, "送信バッファフル"},
                                               {1011, "DCB取得エラー"},
                                               {1002, "未定義エラー発生"},
                                               {1003, "未定義エラー発生"},
                                               {1007, "未定義エラー発生"},
                                               {1, nullptr},
                                               {3, nullptr},
                                               {7, nullptr},
                                               {1006, nullptr},
                                               {1008, nullptr}};
  for (auto [code, message] : cases) {
    view.lineErrors.clear();
    link.HandleCommEvent(code);
    if (message) {
      EXPECT_EQ(view.lineErrors, QStringList{QString::fromUtf8(message)}) << code;
    } else {
      EXPECT_TRUE(view.lineErrors.isEmpty()) << code;
    }
  }
}

TEST(LineMarks, DriverMarksBecomeEvents) {
  struct Case {
    QByteArray in;
    bool parity;
    QByteArray data;
    std::vector<int> events;
  } cases[] = {
      {"abc", false, "abc", {}},
      {QByteArray("a\xFF\x00\x00"
                  "b",
                  5),
       false,
       "ab",
       {1001}},
      {QByteArray("a\xFF\x00x"
                  "b",
                  5),
       false,
       "ab",
       {1004}},
      {QByteArray("a\xFF\x00x", 4), true, "a", {1009}},
      {"\xFF\xFF", false, "\xFF", {}},
  };
  for (const Case& c : cases) {
    LineMarkDecoder decoder(c.parity);
    const auto got = decoder.Feed(c.in);
    EXPECT_EQ(got.data, c.data);
    EXPECT_EQ(got.events, c.events);
  }
  LineMarkDecoder split;
  EXPECT_EQ(split.Feed("a\xFF").data, "a");
  const auto rest = split.Feed(QByteArray("\x00\x00z", 3));
  EXPECT_EQ(rest.data, "z");
  EXPECT_EQ(rest.events, std::vector<int>{1001});
}

TEST(LineSettingsText, ParsedOrRefused) {
  const LineSettings s = ParseLineSettings("4800,E,7,2");
  EXPECT_EQ(s.baud, 4800);
  EXPECT_EQ(s.parity, 'e');
  EXPECT_EQ(s.dataBits, 7);
  EXPECT_EQ(s.stopBits, 2);
  EXPECT_EQ(ParseLineSettings("9600,n,8,1.5").stopBits, 1.5);
  for (const char* bad : {"", "9600", "9600,x,8,1", "9600,n,9,1", "fast,n,8,1", "9600,n,8,3", "0,n,8,1"})
    EXPECT_THROW(ParseLineSettings(bad), PlatformError) << bad;
  EXPECT_EQ(PortDeviceName(1, ""), "/dev/ttyS0");
  EXPECT_EQ(PortDeviceName(12, ""), "/dev/ttyS11");
  EXPECT_EQ(PortDeviceName(1, "/dev/ttyUSB0"), "/dev/ttyUSB0");
}

}  // namespace

// The serial layer and the tick-paced waits, over a real pseudo-terminal.
#include "LinkFixture.h"

#include "link/LineMarks.h"

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
  int master = -1, slave = -1;
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

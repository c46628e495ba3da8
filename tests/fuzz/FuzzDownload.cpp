// The download's whole exchange against a far end that answers with any
// bytes, cut into any chunks, with line events and pauses in between. Every
// file written holds one received line, never a tail of one nor end-block
// text, and the run ends with one of the download's own outcomes.
//
// Input: first byte = retries (low two bits); then segments of a control
// byte and its payload. Control below 0x80: a chunk of that many bytes,
// delivered on one tick. 0x80-0x86: a line event. 0x87 and up: the far end
// goes quiet until the next request.
#include "FakeDownloadView.h"
#include "link/LoggerLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace ptlog;

namespace {

// A chunk of bytes (event 0), a line event, or a pause.
struct Step {
  QByteArray bytes;
  int event = 0;
};
constexpr int kPause = -1;

constexpr int kEvents[] = {CommEventBreak,  CommEventFrame,  CommEventOverrun, CommEventRxOver,
                           CommEventRxParity, CommEventTxFull, 99};

class ScriptedLine : public SerialLine {
public:
  void Configure(int, const QString&, const QString&) override {}
  bool IsOpen() const override { return open_; }
  void Open() override { open_ = true; }
  void Close() override { open_ = false; }
  void Write(const QByteArray& text) override {
    // The receive buffer is emptied only before the PC sends.
    breaks.push_back(delivered.size());
    sent_ += text;
    if (sent_.endsWith("CmdRM\r")) answering_ = true;
  }
  int PendingCount() const override { return int(pending_.size()); }
  QByteArray ReadAll() override { return std::exchange(pending_, {}); }

  // One tick of the far end: the next step of the script, if it is answering.
  void Tick() {
    if (!answering_ || next_ >= steps.size()) return;
    const Step& step = steps[next_++];
    if (step.event == kPause) {
      breaks.push_back(delivered.size());
      answering_ = false;
      sent_.clear();
      return;
    }
    pending_ += step.bytes;
    delivered += step.bytes;
    const int event = step.event ? step.event : step.bytes.isEmpty() ? 0 : int(CommEventReceive);
    if (OnCommEvent && event) OnCommEvent(event);
  }

  // Whether text stands in what was delivered as one line: from a line start
  // to a CR, the end marker, a pause, a quiet line or the end.
  bool HoldsLine(const QByteArray& text) const {
    auto isBreak = [&](qsizetype at) { return std::find(breaks.begin(), breaks.end(), at) != breaks.end(); };
    for (qsizetype at = delivered.indexOf(text); at >= 0; at = delivered.indexOf(text, at + 1)) {
      const qsizetype end = at + text.size();
      const bool starts = at == 0 || delivered[at - 1] == '\r' || isBreak(at);
      const bool ends = end == delivered.size() || delivered[end] == '\r' || isBreak(end) ||
                        delivered.mid(end).startsWith("DataSendEnd");
      if (starts && ends) return true;
    }
    return false;
  }

  std::vector<Step> steps;
  QByteArray delivered;
  std::vector<qsizetype> breaks;

private:
  bool open_ = false, answering_ = false;
  size_t next_ = 0;
  QByteArray sent_, pending_;
};

int argc = 1;
char name[] = "fuzz_download";
char* argv[] = {name, nullptr};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QCoreApplication app(argc, argv);
  static QTemporaryDir dir;
  if (size < 1) return 0;

  ScriptedLine line;
  for (size_t i = 1; i < size;) {
    const uint8_t control = data[i++];
    const size_t n = control < 0x80 ? std::min<size_t>(control, size - i) : 0;
    line.steps.push_back({QByteArray(reinterpret_cast<const char*>(data + i), qsizetype(n)),
                          control < 0x80 ? 0 : control < 0x87 ? kEvents[control - 0x80] : kPause});
    i += n;
  }

  TickClock clock;
  test::FakeDownloadView view;
  LoggerLink link(line, clock, view);
  link.SetSettings({1, QStringLiteral("9600,n,8,1"), {}, qint16(data[0] & 3), dir.path() + QLatin1Char('/')});

  QTimer ticker;
  ticker.setInterval(0);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    line.Tick();
    clock.Tick();
    // A line gone quiet may end a record that came without its CR.
    if (clock.TickCount == 0) line.breaks.push_back(line.delivered.size());
  });
  ticker.start();
  link.DownloadRecords();
  ticker.stop();

  if (!view.errors.isEmpty()) std::abort();  // nothing here can fail on its own
  const bool known =
      view.status == kNoData || view.status == kInterrupted ||
      (view.status.endsWith(kRecordsRead) && view.status.chopped(kRecordsRead.size()).toInt() >= 0);
  if (!view.panelVisible || !known) std::abort();

  QDir folder(dir.path());
  const QStringList files = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& name : files) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) std::abort();  // a folder or a leftover
    QByteArray text = file.readAll();
    file.close();
    file.remove();
    if (!name.endsWith(QLatin1String(".txt")) || !text.endsWith("\r\n")) std::abort();
    text.chop(2);
    if (text.size() < 129 || text.contains('\r') || text.contains("DataSendEnd") || !line.HoldsLine(text))
      std::abort();
  }
  if (view.status.endsWith(kRecordsRead) && view.status.chopped(kRecordsRead.size()).toInt() < files.size())
    std::abort();
  return 0;
}

#include "link/LoggerLink.h"

#include "platform/Arithmetic.h"
#include "platform/Errors.h"
#include "record/RecordFields.h"
#include "record/RecordFile.h"
#include "record/TestRecord.h"

#include <QCoreApplication>
#include <optional>

namespace ptlog {

namespace {

const QString kAsk = QStringLiteral("データ読み込みをして宜しいですか？");
const QString kReading = QStringLiteral("データ読み込み中");
const QByteArray kEndMarker = QByteArrayLiteral("DataSendEnd");
constexpr qsizetype kMinRecordLength = 129;
constexpr int kEndBlockLength = 19;
constexpr qint16 kQuietTicks = 16;
constexpr int ErrDeviceLost = 8020;

// The window was closed while waiting: the download is abandoned at once.
struct ProgramEnded {};

}  // namespace

LoggerLink::LoggerLink(SerialLine& port, TickClock& clock, DownloadView& view)
    : port_(port), clock_(clock), view_(view) {
  port_.OnCommEvent = [this](int code) { HandleCommEvent(code); };
}

void LoggerLink::ProcessEventsOnce(QEventLoop::ProcessEventsFlags flags) {
  QCoreApplication::processEvents(flags);
  if (view_.Ending()) throw ProgramEnded{};
  // Raised here, outside the event handler that learnt it.
  if (deviceLost_) {
    deviceLost_ = false;
    WriteWholeLines();
    throw PlatformError(ErrDeviceLost, QStringLiteral("通信ポートの機器が切断されました。"));
  }
}

void LoggerLink::WriteWholeLines() {
  // Records that came whole before the device went are kept like any other.
  for (qsizetype cr; (cr = ReceiveBuffer.indexOf('\r')) >= 0;) {
    QByteArray line = ReceiveBuffer.left(cr);
    ReceiveBuffer.remove(0, cr + 1);
    const qsizetype end = line.indexOf(kEndMarker);
    if (end >= 0) line.truncate(end);
    if (line.size() >= kMinRecordLength) WriteRecord(line);
  }
}

void LoggerLink::WaitTicks(qint16 ticks) {
  clock_.TickCount = ticks;
  while (clock_.TickCount > 0) ProcessEventsOnce(QEventLoop::WaitForMoreEvents);
}

void LoggerLink::SendSlowly(const QByteArray& text) {
  for (char c : text) {
    port_.Write(QByteArray(1, c));
    WaitTicks(1);
  }
}

void LoggerLink::HandleCommEvent(int code) {
  const char* message = nullptr;
  switch (code) {
    case CommEventReceive: {
      if (settings_.CommSettings.isEmpty() || port_.PendingCount() == 0) return;
      const QByteArray text = port_.ReadAll();
      ReceivedTotal = Add32(ReceivedTotal, text.size());
      ReceiveBuffer += text;
      QString activity = view_.ActivityText();
      if (activity.size() >= 10) activity.clear();
      view_.SetActivityText(0, activity + QString::fromLatin1(text));
      clock_.TickCount = kQuietTicks;
      return;
    }
    case 1:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case CommEventOverrun:
    case CommEventRxOver: return;
    // Once the end block is verified every record is on disk: a cable
    // pulled during the closing waits does not undo the result.
    case CommEventDeviceLost: deviceLost_ = running_ && !endVerified_; return;
    case CommEventBreak: message = "中断信号受信"; break;
    case CommEventFrame: message = "フレームエラー"; break;
    case CommEventRxParity: message = "受信パリティエラー"; break;
    case CommEventTxFull: message = "送信バッファフル"; break;
    case CommEventDcb: message = "DCB取得エラー"; break;
    default: message = "未定義エラー発生"; break;
  }
  view_.ShowLineError(QString::fromUtf8(message));
}

void LoggerLink::DownloadRecords() {
  // The waits keep the window usable; a second press while one runs is refused.
  if (running_) return;
  running_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{running_};

  if (!view_.AskYesNo(kAsk)) return;
  const bool portOn = !settings_.CommSettings.isEmpty();
  try {
    if (portOn) {
      port_.Configure(settings_.CommPort, settings_.CommSettings, settings_.CommDevice);
      ProcessEventsOnce();
      if (port_.IsOpen()) port_.Close();
      ProcessEventsOnce();
    }
    view_.SetStatusText(kReading);
    view_.SetOkVisible(false);
    view_.SetPanelVisible(true);
    WaitTicks(3);
    if (portOn && !port_.IsOpen()) {
      port_.Open();
      ProcessEventsOnce();
    }

    const QString result = Exchange();

    if (portOn && port_.IsOpen()) {
      port_.Close();
      ProcessEventsOnce();
    }
    view_.SetActivityText(0, QString());
    view_.SetActivityText(1, QString());
    if (!result.isEmpty()) {
      view_.SetStatusText(result);
      view_.SetPanelVisible(true);
      view_.SetOkVisible(true);
    } else {
      view_.SetPanelVisible(false);
    }
  } catch (const PlatformError& error) {
    // The port stays as it is; the next run closes and opens it again.
    view_.ShowError(ErrorMessageText(error));
    view_.SetActivityText(0, QString());
    view_.SetActivityText(1, QString());
    view_.SetPanelVisible(false);
  } catch (const ProgramEnded&) {
  }
}

QString LoggerLink::Exchange() {
  qint16 retriesLeft = settings_.ReadRetrial;
  recordCount_ = 0;
  endVerified_ = false;
  gotRecord_ = false;
  while (true) {
    RequestRecords();
    if (const std::optional<QString> result = ReadLines()) return *result;
    if (retriesLeft < 1) return kNoData;
    --retriesLeft;
  }
}

void LoggerLink::RequestRecords() {
  ReceiveBuffer.clear();
  SendSlowly(QByteArrayLiteral("\r"));
  WaitTicks(3);
  ReceiveBuffer.clear();
  ReceivedTotal = 0;
  SendSlowly(QByteArrayLiteral("CmdRM\r"));
  // Ends only once the line has been quiet for 16 ticks.
  WaitTicks(kQuietTicks);
  clock_.TickCount = kQuietTicks;
}

std::optional<QString> LoggerLink::ReadLines() {
  bool waitForMore = false;
  while (true) {
    // Nothing can change before the next event; wait for it rather than spin.
    if (waitForMore || ReceiveBuffer.isEmpty()) ProcessEventsOnce(QEventLoop::WaitForMoreEvents);
    ProcessEventsOnce();
    waitForMore = false;

    const qsizetype cr = ReceiveBuffer.indexOf('\r');
    const qsizetype end = ReceiveBuffer.indexOf(kEndMarker);
    if (end >= 0 && (cr < 0 || end < cr)) {
      // A record file never holds end-block text: a record that ran into
      // the end block (its CR left out) is the part before the marker.
      const QByteArray line = ReceiveBuffer.left(end);
      const QByteArray block = ReceiveBuffer.mid(end);
      ReceiveBuffer.clear();
      if (line.size() >= kMinRecordLength) WriteRecord(line);
      view_.SetActivityText(0, QString());
      if (!gotRecord_) return std::nullopt;
      if (clock_.TickCount == 0) return kInterrupted;
      return FinishAtEndBlock(block);
    }
    if (cr >= 0) {
      const QByteArray line = ReceiveBuffer.left(cr);
      ReceiveBuffer.remove(0, cr + 1);
      if (line.size() >= kMinRecordLength) WriteRecord(line);
      continue;
    }
    // A text without CR may be a record still on its way (the logger can
    // pause inside one): it is judged only once the line has gone quiet.
    if (!ReceiveBuffer.isEmpty() && clock_.TickCount > 0) {
      waitForMore = true;
      continue;
    }
    QByteArray line;
    line.swap(ReceiveBuffer);
    // A last record without its CR counts when it is as long as its header
    // says; a shorter one was cut off and must not replace a whole copy.
    // Either way the line went quiet without an end block: whatever came
    // later would be the tail of this line, not a record.
    if (WholeByHeader(line)) {
      WriteRecord(line);
      return kInterrupted;
    }
    view_.SetActivityText(0, QString());
    if (!gotRecord_) return std::nullopt;
    if (clock_.TickCount == 0) return kInterrupted;
  }
}

QString LoggerLink::FinishAtEndBlock(QByteArray line) {
  // The end block may come in pieces.
  WaitTicks(20);
  line += ReceiveBuffer;
  ReceiveBuffer.clear();
  const qsizetype marker = line.indexOf(kEndMarker) + kEndMarker.size();
  const qint32 announced = ReadH6(QString::fromLatin1(line.mid(marker, 6)), 1);
  if (Add32(ReceivedTotal, -qint64(announced)) != kEndBlockLength) return kInterrupted;

  endVerified_ = true;
  port_.Write(QByteArrayLiteral("CmdDC\r"));
  WaitTicks(3);
  WaitTicks(20);
  view_.SetActivityText(0, QString());
  QString result = QString::number(recordCount_) + kRecordsRead;
  view_.SetStatusText(result);
  view_.SetOkVisible(false);
  view_.SetPanelVisible(true);
  view_.SetStatusTextVisible(true);
  return result;
}

void LoggerLink::WriteRecord(const QByteArray& line) {
  clock_.TickCount = kQuietTicks;
  const QString text = QString::fromLatin1(line);
  WriteRecordFile(settings_.DataPath + RecordFileName(DecodeHeader(text)), text);
  view_.SetActivityText(0, QString());
  gotRecord_ = true;
  recordCount_ = Add16(recordCount_, 1);
}

bool LoggerLink::WholeByHeader(const QByteArray& line) {
  const qint32 samples = DecodeHeader(QString::fromLatin1(line.left(kHeaderLength))).SampleCount;
  return samples > 0 && line.size() >= kHeaderLength + qsizetype(kSampleDigits) * samples;
}

}  // namespace ptlog

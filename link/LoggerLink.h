#pragma once

#include "link/SerialLine.h"
#include "link/TickClock.h"

#include <QByteArray>
#include <QEventLoop>
#include <QString>
#include <optional>

namespace ptlog {

// What the download shows on the main window: the status panel, the activity
// labels and its message boxes.
class DownloadView {
public:
  virtual ~DownloadView() = default;
  virtual bool AskYesNo(const QString& question) = 0;
  virtual void ShowError(const QString& text) = 0;      // OK box, the program's title
  virtual void ShowLineError(const QString& text) = 0;  // warning, title "通信エラー"
  virtual void SetStatusText(const QString& text) = 0;  // Label3(19)
  virtual void SetStatusTextVisible(bool visible) = 0;
  virtual void SetOkVisible(bool visible) = 0;     // Command7
  virtual void SetPanelVisible(bool visible) = 0;  // Frame2
  virtual QString ActivityText() const = 0;        // Label2(0)
  virtual void SetActivityText(int index, const QString& text) = 0;
  // The program is ending: the download is abandoned at once.
  virtual bool Ending() const = 0;
};

struct LinkSettings {
  qint16 CommPort = 1;
  QString CommSettings;
  QString CommDevice;
  qint16 ReadRetrial = 3;
  QString DataPath;
};

inline const QString kNoData = QStringLiteral("読み込むデータが有りません。");
inline const QString kInterrupted = QStringLiteral("読み込みデータが中断しました。");
inline const QString kRecordsRead = QStringLiteral("　件のデータを読み込みました。");

// The exchange with the logger, paced by the window's 500 ms tick. Waits
// process the window's events, so the window stays usable meanwhile.
class LoggerLink {
public:
  LoggerLink(SerialLine& port, TickClock& clock, DownloadView& view);

  void SetSettings(const LinkSettings& settings) { settings_ = settings; }

  // The button's action: ask, request, write one file per record, report.
  void DownloadRecords();
  bool Running() const { return running_; }

  void WaitTicks(qint16 ticks);
  void SendSlowly(const QByteArray& text);
  void HandleCommEvent(int code);

  QByteArray ReceiveBuffer;
  qint32 ReceivedTotal = 0;

private:
  QString Exchange();
  void RequestRecords();
  std::optional<QString> ReadLines();  // nothing: no record came, try again
  QString FinishAtEndBlock(QByteArray line);
  void ProcessEventsOnce(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
  void WriteRecord(const QByteArray& line);
  void WriteWholeLines();
  static bool WholeByHeader(const QByteArray& line);

  SerialLine& port_;
  TickClock& clock_;
  DownloadView& view_;
  LinkSettings settings_;
  bool running_ = false;
  qint16 recordCount_ = 0;
  bool gotRecord_ = false;
  bool deviceLost_ = false;
  bool endVerified_ = false;
};

}  // namespace ptlog

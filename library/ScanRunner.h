#pragma once

#include "library/FolderScan.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace ptlog {

// Scans a folder off the window's thread, one scan at a time; what it finds
// is handed to the window's thread through the callbacks. A scan asked for
// while one runs follows it (the latest folder asked for).
class ScanRunner : public QObject {
public:
  explicit ScanRunner(QString databasePath, QObject* parent = nullptr);
  ~ScanRunner() override;  // stops a running scan and waits for it

  void Scan(const QString& root);
  bool Busy() const { return busy_; }

  std::function<void(const std::vector<RecordEntry>&, int done, int total)> OnBatch;
  std::function<void(const ScanResult&, bool cachedOnly)> OnResult;

private:
  void Run();

  QString databasePath_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  QString next_;
  bool stopping_ = false;
  std::atomic<bool> busy_{false};
};

}  // namespace ptlog

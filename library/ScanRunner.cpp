#include "library/ScanRunner.h"

#include "library/RecordIndex.h"

#include <QDir>
#include <QPointer>

namespace ptlog {

ScanRunner::ScanRunner(QString databasePath, QObject* parent)
    : QObject(parent), databasePath_(std::move(databasePath)) {
  thread_ = std::thread([this] { Run(); });
}

ScanRunner::~ScanRunner() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void ScanRunner::Scan(const QString& root) {
  {
    std::lock_guard lock(mutex_);
    next_ = root;
    busy_ = true;
  }
  wake_.notify_all();
}

void ScanRunner::Run() {
  // The index is opened on this thread and used only here.
  RecordIndex index(databasePath_);
  QString lastRoot;
  std::vector<RecordEntry> last;
  while (true) {
    QString root;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !next_.isEmpty(); });
      if (stopping_) return;
      root.swap(next_);
    }
    // What this object hands over arrives only while it lives.
    QPointer<QObject> self(this);
    const auto post = [this, self](std::function<void()> f) {
      QMetaObject::invokeMethod(this, [self, f = std::move(f)] {
        if (self) f();
      }, Qt::QueuedConnection);
    };
    const bool again = root == lastRoot;
    if (!again) {
      // A new folder's cached list at once, before the folder is looked at.
      ScanResult cached;
      cached.entries = index.Entries(QDir::cleanPath(QDir::fromNativeSeparators(root)));
      if (!cached.entries.empty())
        post([this, cached = std::move(cached)] {
          if (OnResult) OnResult(cached, true);
        });
    }
    // Looking again at the same folder starts from what the last look found.
    ScanResult result = ScanFolder(
        root, index,
        [&](const std::vector<RecordEntry>& batch, int done, int total) {
          post([this, batch, done, total] {
            if (OnBatch) OnBatch(batch, done, total);
          });
          std::lock_guard lock(mutex_);
          return !stopping_;
        },
        again ? &last : nullptr);
    if (!again) result.changed = true;
    lastRoot = root;
    if (!result.folderMissing) last = result.entries;
    // Nothing new: the window keeps its list, and nothing large is handed over.
    if (!result.changed) result.entries.clear();
    {
      std::lock_guard lock(mutex_);
      busy_ = !next_.isEmpty();
    }
    post([this, result = std::move(result)] {
      if (OnResult) OnResult(result, false);
    });
  }
}

}  // namespace ptlog

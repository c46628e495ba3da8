#include "library/FolderScan.h"

#include "library/RecordIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <algorithm>
#include <thread>

namespace ptlog {

namespace {

constexpr int kBatch = 250;

struct Listed {
  QString folder, name;
  qint64 size, mtime;
};

void List(const QString& folder, int depth, std::vector<Listed>& files, QStringList& folders) {
  folders << folder;
  const QDir dir(folder);
  // Devices, FIFOs and links to them are not files the programs read. The
  // names are matched here, not by a name filter: that takes a regular
  // expression, whose per-thread JIT stack crashed this worker thread's end
  // on Windows.
  for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
    if (!f.isFile() || !f.fileName().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) continue;
    files.push_back({folder, f.fileName(), f.size(), f.lastModified().toMSecsSinceEpoch()});
  }
  if (depth >= kScanDepth) return;
  for (const QFileInfo& d : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
    if (d.fileName() != kDuplicatesFolder) List(d.filePath(), depth + 1, files, folders);
}

}  // namespace

ScanResult ScanFolder(const QString& root, RecordIndex& index,
                      const std::function<bool(const std::vector<RecordEntry>&, int, int)>& onBatch,
                      const std::vector<RecordEntry>* previous) {
  ScanResult result;
  const QString top = QDir::cleanPath(QDir::fromNativeSeparators(root));
  if (!QFileInfo(top).isDir()) {
    result.folderMissing = true;
    return result;
  }
  std::vector<Listed> files;
  List(top, 0, files, result.folders);
  // A share that went away while it was listed gave only part of the list:
  // it counts as gone, and neither the list nor the index loses anything.
  if (!QFileInfo(top).isDir()) {
    result.folderMissing = true;
    return result;
  }

  QHash<QString, RecordEntry> known;
  if (previous) {
    for (const RecordEntry& e : *previous) known.insert(e.Path(), e);
  } else {
    for (RecordEntry& e : index.Entries(top)) known.insert(e.Path(), std::move(e));
  }

  // Unchanged files come from the index; the rest are read a batch at a
  // time, the batch shared among the processor's cores.
  std::vector<const Listed*> toRead;
  result.entries.reserve(files.size());
  for (const Listed& f : files) {
    const auto it = known.find(f.folder + QLatin1Char('/') + f.name);
    if (it != known.end() && it->size == f.size && it->mtime == f.mtime) {
      result.entries.push_back(std::move(*it));
      known.erase(it);
      continue;
    }
    if (it != known.end()) known.erase(it);
    toRead.push_back(&f);
  }
  const int workers = std::max(1, std::min(QThread::idealThreadCount(), 4));
  std::vector<RecordEntry> changed;
  for (size_t start = 0; start < toRead.size(); start += kBatch) {
    const size_t n = std::min<size_t>(kBatch, toRead.size() - start);
    std::vector<RecordEntry> batch(n);
    const auto read = [&](int w) {
      for (size_t i = size_t(w); i < n; i += size_t(workers)) {
        const Listed& f = *toRead[start + i];
        batch[i] = ReadRecordEntry(f.folder, f.name, f.size, f.mtime);
      }
    };
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w) threads.emplace_back(read, w);
    read(0);
    for (std::thread& t : threads) t.join();
    changed.insert(changed.end(), batch.begin(), batch.end());
    result.entries.insert(result.entries.end(), batch.begin(), batch.end());
    result.read += int(n);
    if (onBatch && !onBatch(batch, int(result.entries.size()), int(files.size()))) return result;
  }
  if (!QFileInfo(top).isDir()) {
    result = ScanResult{};
    result.folderMissing = true;
    return result;
  }
  // In the folder's order, whichever were read anew.
  std::sort(result.entries.begin(), result.entries.end(),
            [](const RecordEntry& a, const RecordEntry& b) { return std::tie(a.folder, a.name) < std::tie(b.folder, b.name); });
  result.changed = !changed.empty() || !known.isEmpty();
  index.Update(changed, known.keys());
  return result;
}

}  // namespace ptlog

#include "library/FolderScan.h"

#include "library/RecordIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

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
  // Devices, FIFOs and links to them are not files the programs read.
  for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.txt")},
                                              QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
    if (!f.isFile()) continue;
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

  QHash<QString, RecordEntry> known;
  if (previous) {
    for (const RecordEntry& e : *previous) known.insert(e.Path(), e);
  } else {
    for (RecordEntry& e : index.Entries(top)) known.insert(e.Path(), std::move(e));
  }

  std::vector<RecordEntry> changed, batch;
  result.entries.reserve(files.size());
  for (const Listed& f : files) {
    const QString path = f.folder + QLatin1Char('/') + f.name;
    const auto it = known.find(path);
    if (it != known.end() && it->size == f.size && it->mtime == f.mtime) {
      result.entries.push_back(std::move(*it));
      known.erase(it);
      continue;
    }
    if (it != known.end()) known.erase(it);
    RecordEntry e = ReadRecordEntry(f.folder, f.name, f.size, f.mtime);
    changed.push_back(e);
    batch.push_back(e);
    result.entries.push_back(std::move(e));
    ++result.read;
    if (onBatch && int(batch.size()) >= kBatch) {
      if (!onBatch(batch, int(result.entries.size()), int(files.size()))) return result;
      batch.clear();
    }
  }
  result.changed = !changed.empty() || !known.isEmpty();
  index.Update(changed, known.keys());
  return result;
}

}  // namespace ptlog

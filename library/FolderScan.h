#pragma once

#include "library/RecordEntry.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace ptlog {

class RecordIndex;

// Record files are looked for this many folders deep below the data folder:
// a save may move a record into a folder of its own, and site folders hold
// building folders.
inline constexpr int kScanDepth = 3;
// Copies moved aside by the library's tidying; never listed as records.
inline const QString kDuplicatesFolder = QStringLiteral("重複");

struct ScanResult {
  bool folderMissing = false;
  std::vector<RecordEntry> entries;
  QStringList folders;  // the data folder and the subfolders looked into
  int read = 0;         // files read anew (new or changed since the index saw them)
  bool changed = false; // read anew, or gone, since the entries it started from
};

// Lists the record files (*.txt, regular files; links to them count) under
// `root`, reuses the index's entry of every file whose size and time are
// unchanged, reads the rest, and brings the index up to date. `onBatch` gets
// the entries read so far, a few hundred at a time; returning false stops
// the scan (the window is closing).
// `previous`, when given, stands for the index's entries (the last scan's).
ScanResult ScanFolder(const QString& root, RecordIndex& index,
                      const std::function<bool(const std::vector<RecordEntry>&, int done, int total)>& onBatch = {},
                      const std::vector<RecordEntry>* previous = nullptr);

}  // namespace ptlog

#pragma once

#include "library/RecordEntry.h"

#include <QString>
#include <vector>

struct sqlite3;

namespace ptlog {

// The library's cache of decoded record files: one SQLite database in the
// user's cache folder, never in the data folder (a network share, where
// SQLite's locking is not safe). The files stay the truth: a database that
// is missing, damaged, of another layout or locked for more than a moment is
// made anew (or kept in memory for this run) without a word to the user.
class RecordIndex {
public:
  explicit RecordIndex(const QString& databasePath);
  ~RecordIndex();
  RecordIndex(const RecordIndex&) = delete;
  RecordIndex& operator=(const RecordIndex&) = delete;

  // Every file known under `root`, its subfolders included.
  std::vector<RecordEntry> Entries(const QString& root);
  // Adds or replaces `changed` and forgets `gone` (full paths), in one step.
  void Update(const std::vector<RecordEntry>& changed, const QStringList& gone);
  bool InMemory() const { return inMemory_; }

  // "$XDG_CACHE_HOME/KESTRA PTLOG/records.sqlite", "%LOCALAPPDATA%\KESTRA PTLOG\..." on Windows.
  static QString DefaultPath();

private:
  bool Open(const QString& path);
  void Close();
  bool Usable();
  bool Exec(const char* sql);

  sqlite3* db_ = nullptr;
  bool inMemory_ = false;
  bool busy_ = false;
};

}  // namespace ptlog

#include "library/RecordIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sqlite3.h>

namespace ptlog {

namespace {

// Raised with the layout: an older database is made anew, never misread.
constexpr int kSchemaVersion = 1;
// Long enough for another window's write to end, short enough to go unnoticed.
constexpr int kBusyMs = 700;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS files(folder TEXT NOT NULL, name TEXT NOT NULL, size INTEGER, mtime INTEGER,"
    " problem INTEGER, have INTEGER, whole INTEGER, hash BLOB, whenv INTEGER, pipetype INTEGER, failed INTEGER,"
    " date TEXT, number TEXT, pipe TEXT, pressure TEXT, duration TEXT, verdict TEXT,"
    " PRIMARY KEY(folder, name)) WITHOUT ROWID";

// A statement that finalizes itself.
class Statement {
public:
  Statement(sqlite3* db, const char* sql) { ok_ = sqlite3_prepare_v2(db, sql, -1, &s_, nullptr) == SQLITE_OK; }
  ~Statement() { sqlite3_finalize(s_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  bool Ok() const { return ok_; }
  void Bind(int i, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(s_, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
  }
  void Bind(int i, qint64 value) { sqlite3_bind_int64(s_, i, value); }
  void Bind(int i, const QByteArray& blob) { sqlite3_bind_blob(s_, i, blob.constData(), int(blob.size()), SQLITE_TRANSIENT); }
  int Step() { return sqlite3_step(s_); }
  void Reset() { sqlite3_reset(s_), sqlite3_clear_bindings(s_); }
  QString Text(int i) const {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s_, i)), sqlite3_column_bytes(s_, i));
  }
  qint64 Int(int i) const { return sqlite3_column_int64(s_, i); }
  QByteArray Blob(int i) const {
    return QByteArray(static_cast<const char*>(sqlite3_column_blob(s_, i)), sqlite3_column_bytes(s_, i));
  }

private:
  sqlite3_stmt* s_ = nullptr;
  bool ok_ = false;
};

}  // namespace

RecordIndex::RecordIndex(const QString& databasePath) {
  if (Open(databasePath)) return;
  // Damaged, foreign or of another layout: made anew from the files. One
  // that another window holds locked is left to it.
  Close();
  if (busy_) {
    inMemory_ = Open(QStringLiteral(":memory:"));
    return;
  }
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) QFile::remove(databasePath + QLatin1String(suffix));
  if (Open(databasePath)) return;
  // Locked by another program for longer than a moment, or no cache folder:
  // this run keeps its cache in memory.
  Close();
  inMemory_ = Open(QStringLiteral(":memory:"));
}

RecordIndex::~RecordIndex() { Close(); }

QString RecordIndex::DefaultPath() {
#ifdef Q_OS_WIN
  const QString base = qEnvironmentVariable("LOCALAPPDATA", QDir::homePath());
#else
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
#endif
  return QDir(base).filePath(QStringLiteral("KESTRA PTLOG/records.sqlite"));
}

bool RecordIndex::Open(const QString& path) {
  if (path != QLatin1String(":memory:")) QDir().mkpath(QFileInfo(path).absolutePath());
  if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK)
    return false;
  sqlite3_busy_timeout(db_, kBusyMs);
  return Usable();
}

bool RecordIndex::Usable() {
  Statement version(db_, "PRAGMA user_version");
  const int step = version.Ok() ? version.Step() : SQLITE_ERROR;
  busy_ = step == SQLITE_BUSY || step == SQLITE_LOCKED;
  if (step != SQLITE_ROW) return false;
  const qint64 found = version.Int(0);
  Statement check(db_, "PRAGMA quick_check");
  if (!check.Ok() || check.Step() != SQLITE_ROW || check.Text(0) != QLatin1String("ok")) return false;
  if (found != 0 && found != kSchemaVersion) return false;
  // Two windows on one cache: readers do not wait for a writer.
  Exec("PRAGMA journal_mode=WAL");
  return Exec(kSchema) && Exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
}

bool RecordIndex::Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

void RecordIndex::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

std::vector<RecordEntry> RecordIndex::Entries(const QString& root) {
  std::vector<RecordEntry> entries;
  if (!db_) return entries;
  Statement q(db_,
              "SELECT folder, name, size, mtime, problem, have, whole, hash, whenv, pipetype, failed, date, number,"
              " pipe, pressure, duration, verdict FROM files WHERE folder = ?1 OR substr(folder, 1, length(?2)) = ?2");
  if (!q.Ok()) return entries;
  q.Bind(1, root);
  q.Bind(2, root + QLatin1Char('/'));
  while (q.Step() == SQLITE_ROW) {
    RecordEntry e;
    e.folder = q.Text(0), e.name = q.Text(1), e.size = q.Int(2), e.mtime = q.Int(3);
    e.problem = int(q.Int(4)), e.have = q.Int(5), e.whole = q.Int(6), e.hash = q.Blob(7), e.when = q.Int(8);
    e.pipeType = int(q.Int(9)), e.failed = q.Int(10) != 0;
    e.date = q.Text(11), e.number = q.Text(12), e.pipe = q.Text(13), e.pressure = q.Text(14);
    e.duration = q.Text(15), e.verdict = q.Text(16);
    entries.push_back(std::move(e));
  }
  return entries;
}

void RecordIndex::Update(const std::vector<RecordEntry>& changed, const QStringList& gone) {
  if (!db_ || (changed.empty() && gone.isEmpty())) return;
  // A cache that cannot be written only costs the next start its speed.
  if (!Exec("BEGIN IMMEDIATE")) return;
  {
    Statement put(db_, "INSERT OR REPLACE INTO files VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16,?17)");
    for (const RecordEntry& e : changed) {
      put.Bind(1, e.folder), put.Bind(2, e.name), put.Bind(3, e.size), put.Bind(4, e.mtime);
      put.Bind(5, qint64(e.problem)), put.Bind(6, e.have), put.Bind(7, e.whole), put.Bind(8, e.hash);
      put.Bind(9, e.when), put.Bind(10, qint64(e.pipeType)), put.Bind(11, qint64(e.failed));
      put.Bind(12, e.date), put.Bind(13, e.number), put.Bind(14, e.pipe), put.Bind(15, e.pressure);
      put.Bind(16, e.duration), put.Bind(17, e.verdict);
      put.Step();
      put.Reset();
    }
    Statement drop(db_, "DELETE FROM files WHERE folder = ?1 AND name = ?2");
    for (const QString& path : gone) {
      const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
      drop.Bind(1, path.left(slash)), drop.Bind(2, path.mid(slash + 1));
      drop.Step();
      drop.Reset();
    }
  }
  if (!Exec("COMMIT")) Exec("ROLLBACK");
}

}  // namespace ptlog

#include "platform/FileAccess.h"

#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

namespace ptlog {

namespace {

// ".NAME.ptlog-PID-RANDOM": the writing process is named, so a leftover of a
// killed program can be told from another program's write in progress.
const QString kTempMark = QStringLiteral(".ptlog-");

QString TempPathFor(const QFileInfo& target) {
  const quint32 r = QRandomGenerator::global()->generate();
  return target.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + target.fileName() + kTempMark +
         QString::number(fs::CurrentProcessId()) + QLatin1Char('-') + QString::number(r, 36);
}

bool WriterGone(const QString& tempName) {
  const QString rest = tempName.mid(tempName.lastIndexOf(kTempMark) + kTempMark.size());
  bool ok = false;
  const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
  return ok && pid > 0 && fs::ProcessGone(pid);
}

void RemoveStaleTemporaries(const QString& folder) {
  static QSet<QString> cleaned;
  if (cleaned.contains(folder)) return;
  cleaned.insert(folder);
  const QDir dir(folder);
  for (const QFileInfo& entry : dir.entryInfoList({QStringLiteral(".*") + kTempMark + QLatin1Char('*')},
                                                  QDir::Files | QDir::Hidden | QDir::System)) {
    if (WriterGone(entry.fileName())) QFile::remove(entry.absoluteFilePath());
  }
}

}  // namespace

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes) {
  QFile file;
  if (OpenRegularFile(path, file) != OpenResult::Opened) return std::nullopt;
  QByteArray bytes = file.read(maxBytes + 1);
  if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

WriteResult WriteFileAtomically(const QString& path, const ChunkSource& next) {
  QFileInfo target(path);
  if (target.isSymLink()) target = QFileInfo(target.symLinkTarget());
  if (target.exists() && !target.isFile()) return WriteResult::Failed;
  RemoveStaleTemporaries(target.absolutePath());

  QString temp;
  fs::NewFile file;
  bool created = false;
  for (int attempt = 0; attempt < 16 && !created; ++attempt) {
    temp = TempPathFor(target);
    bool exists = false;
    created = fs::CreateExclusive(temp, target.absoluteFilePath(), file, exists);
    if (!created && !exists) return fs::IsDiskFull(file.error) ? WriteResult::DiskFull : WriteResult::Failed;
  }
  if (!created) return WriteResult::Failed;

  bool ok = true;
  while (ok) {
    const std::optional<QByteArray> chunk = next();
    if (!chunk)
      ok = false;
    else if (chunk->isEmpty())
      break;
    else
      ok = fs::WriteAll(file, *chunk);
  }
  ok = fs::SyncAndClose(file) && ok;
  if (ok && fs::Replace(temp, target.absoluteFilePath(), file.error)) return WriteResult::Written;
  QFile::remove(temp);
  return fs::IsDiskFull(file.error) ? WriteResult::DiskFull : WriteResult::Failed;
}

WriteResult WriteFileAtomically(const QString& path, const QByteArray& content) {
  bool given = false;
  return WriteFileAtomically(path, [&]() -> std::optional<QByteArray> {
    if (given) return QByteArray();
    given = true;
    return content;
  });
}

}  // namespace ptlog

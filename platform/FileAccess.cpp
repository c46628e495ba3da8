#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace ptlog {

namespace {

// ".NAME.ptlog-PID-RANDOM": the writing process is named, so a leftover of a
// killed program can be told from another program's write in progress.
const QString kTempMark = QStringLiteral(".ptlog-");

bool DiskFull(int error) { return error == ENOSPC || error == EDQUOT; }

QString TempPathFor(const QFileInfo& target) {
  const quint32 r = QRandomGenerator::global()->generate();
  return target.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + target.fileName() + kTempMark +
         QString::number(::getpid()) + QLatin1Char('-') + QString::number(r, 36);
}

bool WriterGone(const QString& tempName) {
  const QString rest = tempName.mid(tempName.lastIndexOf(kTempMark) + kTempMark.size());
  bool ok = false;
  const long pid = rest.section(QLatin1Char('-'), 0, 0).toLong(&ok);
  return ok && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
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

bool WriteAll(int fd, const QByteArray& bytes, int& error) {
  const char* at = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    // A short write is followed by another: on a full disk that one says so.
    const ssize_t n = ::write(fd, at, size_t(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Nothing taken at all would otherwise be tried for ever.
      error = n < 0 ? errno : ENOSPC;
      return false;
    }
    at += n;
    left -= n;
  }
  return true;
}

}  // namespace

bool MayWrite(const QString& path) {
  return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

OpenResult OpenRegularFile(const QString& path, QFile& file) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? OpenResult::Missing : OpenResult::Failed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return OpenResult::NotRegular;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return OpenResult::Failed;
  }
  return OpenResult::Opened;
}

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

  // The replacement keeps the owner and permissions of the file it replaces.
  struct stat old {};
  const bool replacing = ::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &old) == 0;
  const mode_t mode = replacing ? (old.st_mode & 07777) : 0666;

  QString temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = TempPathFor(target);
    fd = ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) return DiskFull(errno) ? WriteResult::DiskFull : WriteResult::Failed;
  }
  if (fd < 0) return WriteResult::Failed;
  if (replacing) {
    [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, mode);
  }

  int error = 0;
  bool ok = true;
  while (ok) {
    const std::optional<QByteArray> chunk = next();
    if (!chunk)
      ok = false;
    else if (chunk->isEmpty())
      break;
    else
      ok = WriteAll(fd, *chunk, error);
  }
  if (ok && ::fsync(fd) != 0) {
    error = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    error = errno;
    ok = false;
  }
  const QByteArray tempName = QFile::encodeName(temp);
  if (ok &&
      std::rename(tempName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
    error = errno;
    ok = false;
  }
  if (ok) return WriteResult::Written;
  ::unlink(tempName.constData());
  return DiskFull(error) ? WriteResult::DiskFull : WriteResult::Failed;
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

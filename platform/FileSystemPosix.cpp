#include "platform/FileSystem.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ptlog {

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

namespace fs {

qint64 CurrentProcessId() { return ::getpid(); }

bool ProcessGone(qint64 pid) { return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH; }

bool CreateExclusive(const QString& path, const QString& like, NewFile& file, bool& exists) {
  // The replacement keeps the owner and permissions of the file it replaces.
  struct stat old {};
  const bool replacing = ::stat(QFile::encodeName(like).constData(), &old) == 0;
  const mode_t mode = replacing ? (old.st_mode & 07777) : 0666;
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) {
    file.error = errno;
    exists = errno == EEXIST;
    return false;
  }
  if (replacing) {
    [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, mode);
  }
  file.handle = fd;
  file.error = 0;
  return true;
}

bool WriteAll(NewFile& file, const QByteArray& bytes) {
  const char* at = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    // A short write is followed by another: on a full disk that one says so.
    const ssize_t n = ::write(int(file.handle), at, size_t(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Nothing taken at all would otherwise be tried for ever.
      file.error = n < 0 ? errno : ENOSPC;
      return false;
    }
    at += n;
    left -= n;
  }
  return true;
}

bool SyncAndClose(NewFile& file) {
  // The first failure is the one that says why (a full disk).
  bool ok = ::fsync(int(file.handle)) == 0;
  if (!ok && file.error == 0) file.error = errno;
  if (::close(int(file.handle)) != 0 && ok) {
    file.error = errno;
    ok = false;
  }
  file.handle = -1;
  return ok;
}

bool Replace(const QString& from, const QString& to, int& error) {
  if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) return true;
  error = errno;
  return false;
}

bool IsDiskFull(int error) { return error == ENOSPC || error == EDQUOT; }
bool IsOtherFileSystem(int error) { return error == EXDEV; }

}  // namespace fs
}  // namespace ptlog

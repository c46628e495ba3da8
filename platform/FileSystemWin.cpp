#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>

#include <windows.h>

namespace ptlog {

namespace {
const wchar_t* Wide(const QString& path) { return reinterpret_cast<const wchar_t*>(path.utf16()); }
}  // namespace

bool MayWrite(const QString& path) {
  const QString native = QDir::toNativeSeparators(path);
  const DWORD attributes = ::GetFileAttributesW(Wide(native));
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    HANDLE h = ::CreateFileW(Wide(native), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
  }
  // A folder takes files when a new one can be made in it.
  const QString probe = QDir(path).filePath(QStringLiteral(".ptlog-probe-%1").arg(::GetCurrentProcessId()));
  HANDLE h = ::CreateFileW(Wide(QDir::toNativeSeparators(probe)), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

OpenResult OpenRegularFile(const QString& path, QFile& file) {
  const QString native = QDir::toNativeSeparators(path);
  const DWORD attributes = ::GetFileAttributesW(Wide(native));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? OpenResult::Missing
                                                                          : OpenResult::Failed;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return OpenResult::NotRegular;
  // Devices (CON, COM1, NUL) are not files.
  HANDLE h = ::CreateFileW(Wide(native), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return OpenResult::Failed;
  const DWORD type = ::GetFileType(h);
  ::CloseHandle(h);
  if (type != FILE_TYPE_DISK) return OpenResult::NotRegular;
  file.setFileName(path);
  return file.open(QIODevice::ReadOnly) ? OpenResult::Opened : OpenResult::Failed;
}

namespace fs {

qint64 CurrentProcessId() { return qint64(::GetCurrentProcessId()); }

bool ProcessGone(qint64 pid) {
  HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
  if (!h) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = ::WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
  ::CloseHandle(h);
  return ended;
}

bool CreateExclusive(const QString& path, const QString&, NewFile& file, bool& exists) {
  HANDLE h = ::CreateFileW(Wide(QDir::toNativeSeparators(path)), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    file.error = int(::GetLastError());
    exists = file.error == ERROR_FILE_EXISTS;
    return false;
  }
  file.handle = reinterpret_cast<qintptr>(h);
  file.error = 0;
  return true;
}

bool WriteAll(NewFile& file, const QByteArray& bytes) {
  const char* at = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    DWORD n = 0;
    if (!::WriteFile(reinterpret_cast<HANDLE>(file.handle), at, DWORD(qMin<qsizetype>(left, 1 << 20)), &n,
                     nullptr) ||
        n == 0) {
      file.error = n == 0 && ::GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : int(::GetLastError());
      return false;
    }
    at += n;
    left -= n;
  }
  return true;
}

bool SyncAndClose(NewFile& file) {
  HANDLE h = reinterpret_cast<HANDLE>(file.handle);
  bool ok = ::FlushFileBuffers(h);
  if (!ok && file.error == 0) file.error = int(::GetLastError());
  if (!::CloseHandle(h) && ok) {
    file.error = int(::GetLastError());
    ok = false;
  }
  file.handle = -1;
  return ok;
}

bool Replace(const QString& from, const QString& to, int& error) {
  if (::MoveFileExW(Wide(QDir::toNativeSeparators(from)), Wide(QDir::toNativeSeparators(to)),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  error = int(::GetLastError());
  return false;
}

bool IsDiskFull(int error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }
bool IsOtherFileSystem(int error) { return error == ERROR_NOT_SAME_DEVICE; }

}  // namespace fs
}  // namespace ptlog

#include "record/RecordFile.h"

#include "platform/Errors.h"
#include "record/ReadoutFormats.h"
#include "record/TestRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace ptlog {

namespace {
bool IsSeparator(QChar c) { return c == QLatin1Char('/') || c == QDir::separator(); }

// Large damaged files: the item never needs more than the first line.
constexpr qint64 kReadChunk = 64 * 1024;
}  // namespace

QString ReadRecordFileItem(const QString& path) {
  QFile file(path);
  if (!QFileInfo::exists(path)) throw PlatformError(ErrFileNotFound);
  if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) throw PlatformError(ErrPathFileAccess);

  QByteArray item;
  bool started = false, quoted = false;
  while (true) {
    const QByteArray chunk = file.read(kReadChunk);
    if (chunk.isEmpty()) break;
    for (char c : chunk) {
      if (!started) {
        if (c == ' ' || c == '\t') continue;
        started = true;
        if (c == '"') {
          quoted = true;
          continue;
        }
      }
      if (quoted ? c == '"' : (c == ',' || c == '\r' || c == '\n'))
        return QString::fromLatin1(item);
      item += c;
    }
  }
  if (!started) throw PlatformError(ErrInputPastEnd);
  return QString::fromLatin1(item);
}

void WriteRecordFile(const QString& path, const QString& recordText) {
  if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) throw PlatformError(ErrPathNotFound);
  // Unbuffered: a buffered write that fails only at commit (a full disk)
  // would still be committed, as an empty file.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw PlatformError(ErrPathFileAccess);
  const QByteArray line = recordText.toLatin1() + "\r\n";
  if (file.write(line) != line.size() || !file.commit()) {
    // The file system reports a full disk as a resource error.
    const bool full = file.error() == QFileDevice::ResourceError;
    file.cancelWriting();
    throw PlatformError(full ? ErrDiskFull : ErrPathFileAccess);
  }
}

QString RecordFileName(const TestRecord& r) {
  return ZeroPadded(r.InspectionNumber, 4) + ZeroPadded(r.Year, 2) + ZeroPadded(r.Month, 2) +
         ZeroPadded(r.Day, 2) + ZeroPadded(r.Hour, 2) + ZeroPadded(r.Minute, 2) +
         ZeroPadded(r.Second, 2) + QStringLiteral(".txt");
}

QString DisplayFlags(bool scale2MPa, bool water, int detailsValue) {
  return QString(scale2MPa ? '2' : '1') + (water ? 'w' : 'e') + (detailsValue == 1 ? 'd' : 's');
}

QString SavedNamePrefix(const std::array<QString, 3>& f, const QString& flags) {
  return f[0] + '_' + f[1] + '_' + f[2] + '_' + flags + '_';
}

QString FileNamePart(const QString& path) {
  qsizetype i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return path.mid(i);
}

QString FolderPart(const QString& path) { return path.left(path.size() - FileNamePart(path).size()); }

QString BaseName(const QString& fileName) {
  QString name = fileName;
  for (int part = 0; part < 5; ++part) {
    const qsizetype underscore = name.indexOf('_');
    if (underscore < 0) break;
    name = name.mid(underscore + 1);
  }
  return name;
}

SavedName ParseSavedName(const QString& fileName) {
  SavedName saved;
  QString rest = fileName;
  for (QString& field : saved.fields) {
    const qsizetype underscore = rest.indexOf('_');
    if (underscore < 0) return saved;
    field = rest.left(underscore);
    rest = rest.mid(underscore + 1);
  }
  const qsizetype underscore = rest.indexOf('_');
  if (underscore >= 0) saved.flags = (rest.left(underscore) + QStringLiteral("   ")).left(3);
  return saved;
}

bool UsableInFileName(const QString& field) {
  if (field == QStringLiteral(".") || field == QStringLiteral("..")) return false;
  for (QChar c : field)
    if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c)) return false;
  return true;
}

bool MoveRecordFile(const QString& from, const QString& to) {
  // The record may have been replaced meanwhile; only a file is moved.
  if (!QFileInfo(from).isFile()) return false;
  const QByteArray source = QFile::encodeName(from);
  const QByteArray target = QFile::encodeName(to);
  if (std::rename(source.constData(), target.constData()) == 0) return true;
  if (errno != EXDEV) return false;

  // Another file system: a complete copy first, then the original goes.
  QFile in(from);
  if (!in.open(QIODevice::ReadOnly)) return false;
  QSaveFile out(to);  // unbuffered for the same reason as above
  if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(kReadChunk);
    if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      return false;
    }
  }
  if (!out.commit()) return false;
  return QFile::remove(from);
}

}  // namespace ptlog

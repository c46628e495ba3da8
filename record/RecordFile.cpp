#include "record/RecordFile.h"

#include "platform/Errors.h"
#include "platform/FileAccess.h"
#include "platform/FileSystem.h"
#include "record/ReadoutFormats.h"
#include "record/TestRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace ptlog {

namespace {
bool IsSeparator(QChar c) { return c == QLatin1Char('/') || c == QDir::separator(); }

// Large damaged files: the item never needs more than the first line.
constexpr qint64 kReadChunk = qint64(64) * 1024;
// Well above the longest record the logger can send (128 + 6 x 65,535
// characters); a longer item is a damaged file, not a record.
constexpr qsizetype kMaxItemLength = qsizetype(1024) * 1024;

void ThrowFor(WriteResult result) {
  if (result == WriteResult::DiskFull) throw PlatformError(ErrDiskFull);
  if (result != WriteResult::Written) throw PlatformError(ErrPathFileAccess);
}
}  // namespace

QString ReadRecordFileItem(const QString& path) {
  QFile file;
  switch (OpenRegularFile(path, file)) {
    case OpenResult::Opened: break;
    case OpenResult::Missing: throw PlatformError(ErrFileNotFound);
    default: throw PlatformError(ErrPathFileAccess);
  }

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
      if (quoted ? c == '"' : (c == ',' || c == '\r' || c == '\n')) return QString::fromLatin1(item);
      item += c;
    }
    if (item.size() > kMaxItemLength) throw PlatformError(ErrPathFileAccess);
  }
  if (!started) throw PlatformError(ErrInputPastEnd);
  return QString::fromLatin1(item);
}

void WriteRecordFile(const QString& path, const QString& recordText) {
  const QString folder = QFileInfo(path).absolutePath();
  // The user must know which folder is missing (a data folder never made).
  if (!QFileInfo(folder).isDir())
    throw PlatformError(ErrPathNotFound,
                        ErrorDescription(ErrPathNotFound) + QChar(13) + QDir::toNativeSeparators(folder));
  ThrowFor(WriteFileAtomically(path, recordText.toLatin1() + "\r\n"));
}

QString RecordFileName(const TestRecord& r) {
  return ZeroPadded(r.InspectionNumber, 4) + ZeroPadded(r.Year, 2) + ZeroPadded(r.Month, 2) +
         ZeroPadded(r.Day, 2) + ZeroPadded(r.Hour, 2) + ZeroPadded(r.Minute, 2) + ZeroPadded(r.Second, 2) +
         QStringLiteral(".txt");
}

QString DisplayFlags(bool scale2MPa, bool water, int detailsValue) {
  return QString(scale2MPa ? '2' : '1') + (water ? 'w' : 'e') + (detailsValue == 1 ? 'd' : 's');
}

QString SavedNameFieldsProblem(const std::array<QString, 3>& fields) {
  const QString names[3] = {QStringLiteral("現場名"), QStringLiteral("棟名"), QStringLiteral("担当者")};
  for (int i = 0; i < 3; ++i)
    if (fields[i].isEmpty()) return names[i] + QStringLiteral("の入力が有りません。");
  // The names become part of a file name: they must not lead into another folder.
  for (int i = 0; i < 3; ++i)
    if (!UsableInFileName(fields[i])) return names[i] + QStringLiteral("に使えない文字が有ります。");
  return QString();
}

FlagChoices ChoicesFromFlags(const std::optional<QString>& flags) {
  if (!flags || flags->size() < 3 || *flags == QStringLiteral("   ")) return {};
  return {flags->at(0) == QLatin1Char('2'), flags->at(1) == QLatin1Char('w'),
          flags->at(2) == QLatin1Char('d') ? 1 : 0};
}

QString SavedNamePrefix(const std::array<QString, 3>& f, const QString& flags) {
  return f[0] + '_' + f[1] + '_' + f[2] + '_' + flags + '_';
}

QString PathWithExtension(const QString& recordPath, const QString& extension) {
  const QString name = FileNamePart(recordPath);
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return FolderPart(recordPath) + (dot >= 0 ? name.left(dot + 1) : name + QLatin1Char('.')) + extension;
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
  int error = 0;
  if (fs::Replace(from, to, error)) return true;
  if (!fs::IsOtherFileSystem(error)) return false;

  // Another file system: a complete copy first, then the original goes.
  QFile in;
  if (OpenRegularFile(from, in) != OpenResult::Opened) return false;
  const WriteResult copied = WriteFileAtomically(to, [&]() -> std::optional<QByteArray> {
    const QByteArray chunk = in.read(kReadChunk);
    if (chunk.isEmpty() && in.error() != QFileDevice::NoError) return std::nullopt;
    return chunk;
  });
  in.close();  // Windows deletes no file that is open
  return copied == WriteResult::Written && QFile::remove(from);
}

}  // namespace ptlog

#include "settings/IniFile.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ptlog {

namespace {

constexpr qsizetype kValueBufferBytes = 255;  // the caller's buffer, NUL included
// Far above any settings file of ours; more is a damaged file, read as absent.
constexpr qint64 kMaxSettingsBytes = qint64(64) * 1024 * 1024;
// The other program may be writing the same file; its write takes far less.
constexpr int kLockWaitMs = 5000;

std::optional<QByteArray> ReadSettingsBytes(const QString& filePath) {
  if (filePath.isEmpty()) return std::nullopt;
  return ReadRegularFile(filePath, kMaxSettingsBytes);
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray TrimBlanks(const QByteArray& text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

// Position of an ASCII character, skipping the second bytes of double-byte
// characters (they can look like "]" or "\").
qsizetype FindAscii(const QByteArray& text, char wanted) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == static_cast<unsigned char>(wanted)) return i;
    if (IsLeadByte(c)) ++i;
  }
  return -1;
}

std::optional<QString> SectionName(const QByteArray& body) {
  const QByteArray trimmed = TrimBlanks(body);
  if (!trimmed.startsWith('[')) return std::nullopt;
  QByteArray inner = trimmed.mid(1);
  const qsizetype close = FindAscii(inner, ']');
  if (close >= 0) inner.truncate(close);
  return DecodeSettingText(TrimBlanks(inner));
}

bool SameName(const QByteArray& raw, const QString& name) {
  return DecodeSettingText(TrimBlanks(raw)).compare(name, Qt::CaseInsensitive) == 0;
}

QByteArray WithoutLineBreaks(QByteArray value) {
  value.replace('\r', QByteArray());
  value.replace('\n', QByteArray());
  return value;
}

}  // namespace

#ifdef Q_OS_WIN
// Windows' own code page 932: the toolkit names no other codecs without ICU.
QByteArray EncodeSettingText(const QString& text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
  const int size = ::WideCharToMultiByte(932, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
  QByteArray bytes(size, Qt::Uninitialized);
  ::WideCharToMultiByte(932, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

QString DecodeSettingText(const QByteArray& bytes) {
  const int size = ::MultiByteToWideChar(932, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
  QString text(size, Qt::Uninitialized);
  ::MultiByteToWideChar(932, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t*>(text.data()), size);
  return text;
}
#else
QByteArray EncodeSettingText(const QString& text) {
  QStringEncoder encoder("Shift_JIS");
  return encoder.encode(text);
}

QString DecodeSettingText(const QByteArray& bytes) {
  QStringDecoder decoder("Shift_JIS");
  return decoder.decode(bytes);
}
#endif

QByteArray CutShiftJis(const QByteArray& bytes, qsizetype maxBytes) {
  qsizetype i = 0;
  while (i < bytes.size()) {
    const qsizetype width = IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return bytes.left(std::min(i, bytes.size()));
}

IniText::IniText(QByteArray bytes) : bytes_(std::move(bytes)) {}

std::vector<IniText::Line> IniText::Lines() const {
  std::vector<Line> lines;
  qsizetype start = 0;
  const qsizetype n = bytes_.size();
  while (start < n) {
    qsizetype i = start;
    while (i < n && bytes_[i] != '\r' && bytes_[i] != '\n') ++i;
    qsizetype endLength = 0;
    if (i < n) endLength = (bytes_[i] == '\r' && i + 1 < n && bytes_[i + 1] == '\n') ? 2 : 1;
    lines.push_back({start, i - start, endLength});
    start = i + endLength;
  }
  return lines;
}

QByteArray IniText::Body(const Line& line) const { return bytes_.mid(line.start, line.bodyLength); }

QByteArray IniText::LineEnd() const {
  for (const Line& line : Lines())
    if (line.endLength > 0) return bytes_.mid(line.start + line.bodyLength, line.endLength);
  return QByteArrayLiteral("\r\n");
}

std::optional<size_t> IniText::FindSection(const std::vector<Line>& lines, const QString& section) const {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(Body(lines[i]));
    if (name && name->compare(section, Qt::CaseInsensitive) == 0) return i;
  }
  return std::nullopt;
}

std::optional<QByteArray> IniText::Value(const QString& section, const QString& key) const {
  const auto lines = Lines();
  const auto header = FindSection(lines, section);
  if (!header) return std::nullopt;
  for (size_t i = *header + 1; i < lines.size(); ++i) {
    const QByteArray body = Body(lines[i]);
    if (SectionName(body)) break;
    const qsizetype equals = FindAscii(body, '=');
    if (equals < 0 || !SameName(body.left(equals), key)) continue;
    QByteArray value = TrimBlanks(body.mid(equals + 1));
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
      value = value.mid(1, value.size() - 2);
    return value;
  }
  return std::nullopt;
}

void IniText::SetValue(const QString& section, const QString& key, const QByteArray& rawValue) {
  const QByteArray value = WithoutLineBreaks(rawValue);
  const QByteArray eol = LineEnd();
  const QByteArray keyBytes = EncodeSettingText(key);
  const auto lines = Lines();
  const auto header = FindSection(lines, section);

  if (!header) {
    if (!lines.empty() && lines.back().endLength == 0) bytes_ += eol;
    bytes_ += '[' + EncodeSettingText(section) + ']' + eol + keyBytes + '=' + value + eol;
    return;
  }

  size_t lastFilled = *header;
  for (size_t i = *header + 1; i < lines.size(); ++i) {
    const QByteArray body = Body(lines[i]);
    if (SectionName(body)) break;
    if (!TrimBlanks(body).isEmpty()) lastFilled = i;
    const qsizetype equals = FindAscii(body, '=');
    if (equals < 0 || !SameName(body.left(equals), key)) continue;
    // Keep the key as the file spells it; only the value changes.
    bytes_.replace(lines[i].start, lines[i].bodyLength, body.left(equals + 1) + value);
    return;
  }

  const Line& after = lines[lastFilled];
  qsizetype insertAt = after.start + after.bodyLength + after.endLength;
  QByteArray insertion = keyBytes + '=' + value + eol;
  if (after.endLength == 0) insertion.prepend(eol);
  bytes_.insert(insertAt, insertion);
}

QString ReadProfileString(const QString& filePath, const QString& section, const QString& key,
                          const QString& defaultText) {
  const std::optional<QByteArray> file = ReadSettingsBytes(filePath);
  if (!file) return defaultText;
  const auto value = IniText(*file).Value(section, key);
  if (!value) return defaultText;
  QByteArray bytes = *value;
  const qsizetype nul = bytes.indexOf('\0');
  if (nul >= 0) bytes.truncate(nul);
  return DecodeSettingText(CutShiftJis(bytes, kValueBufferBytes - 1));
}

bool WriteProfileStrings(const QString& filePath, const std::vector<SettingWrite>& writes) {
  if (filePath.isEmpty()) return false;
  // Both programs read, change and replace the file; one at a time, or the
  // keys of one would be lost.
  QLockFile lock(filePath + QStringLiteral(".lock"));
  if (!lock.tryLock(kLockWaitMs)) return false;

  QByteArray existing;
  if (QFileInfo::exists(filePath)) {
    // A read-only settings file stays as it is, even where the folder would
    // let us replace it.
    if (!MayWrite(filePath)) return false;
    const std::optional<QByteArray> bytes = ReadSettingsBytes(filePath);
    if (!bytes) return false;
    existing = *bytes;
  }
  IniText ini(existing);
  for (const SettingWrite& w : writes) ini.SetValue(w.section, w.key, EncodeSettingText(w.value));
  return WriteFileAtomically(filePath, ini.Bytes()) == WriteResult::Written;
}

}  // namespace ptlog

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace ptlog {

// One INI file as its bytes. Lookups are by section and key, without regard
// to case; an edit changes only the line it concerns, so comments, unknown
// lines, blank lines and line ends survive byte for byte.
class IniText {
public:
  explicit IniText(QByteArray bytes = {});

  // The raw value (blanks around it and one pair of enclosing double quotes
  // removed), or nothing when the section or key is absent.
  std::optional<QByteArray> Value(const QString& section, const QString& key) const;
  void SetValue(const QString& section, const QString& key, const QByteArray& value);

  const QByteArray& Bytes() const { return bytes_; }

private:
  struct Line {
    qsizetype start;
    qsizetype bodyLength;
    qsizetype endLength;
  };
  std::vector<Line> Lines() const;
  QByteArray Body(const Line& line) const;
  std::optional<size_t> FindSection(const std::vector<Line>& lines, const QString& section) const;
  QByteArray LineEnd() const;

  QByteArray bytes_;
};

// The settings file is in the Japanese ANSI code page.
QByteArray EncodeSettingText(const QString& text);
QString DecodeSettingText(const QByteArray& bytes);

// At most maxBytes bytes, never ending inside a double-byte character.
QByteArray CutShiftJis(const QByteArray& bytes, qsizetype maxBytes);

struct SettingWrite {
  QString section;
  QString key;
  QString value;
};

// Private-profile behaviour: a missing file, section or key gives the default;
// a key with an empty value gives the empty text; at most 254 bytes come back.
QString ReadProfileString(const QString& filePath, const QString& section, const QString& key,
                          const QString& defaultText);

// Applies all writes and replaces the file in one step (temporary file and
// rename), so a failure leaves the file as it was. Creates the file when absent.
bool WriteProfileStrings(const QString& filePath, const std::vector<SettingWrite>& writes);

}  // namespace ptlog

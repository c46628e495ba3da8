#include "record/RecordFields.h"

#include <cctype>

namespace ptlog {

namespace {
int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  return -1;
}

QStringView Field(const QString& text, int position, int length) {
  const qsizetype start = position - 1;
  if (start >= text.size()) return {};
  return QStringView(text).mid(start, std::min<qsizetype>(length, text.size() - start));
}

// A field is read as "1" + field so that a short or damaged field stays
// distinguishable from a valid one: it reads negative after the subtraction.
qint32 ReadWithLeadingOne(const QString& text, int position, int length, qint64 bias) {
  QString withOne(QLatin1Char('1'));
  withOne.append(Field(text, position, length));
  return qint32(HexReading(withOne) - bias);
}
}  // namespace

qint64 HexReading(QStringView text) {
  qint64 value = 0;
  for (QChar c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

qint32 ReadH2(const QString& text, int position) { return qint32(HexReading(Field(text, position, 2))); }

qint32 ReadH4(const QString& text, int position) { return ReadWithLeadingOne(text, position, 4, 0x10000); }

qint32 ReadH6(const QString& text, int position) { return ReadWithLeadingOne(text, position, 6, 0x1000000); }

qint32 ReadD2(const QString& text, int position) {
  const QStringView field = Field(text, position, 2);
  qsizetype i = 0;
  while (i < field.size() && field[i] == QLatin1Char(' ')) ++i;
  qint32 value = 0;
  for (; i < field.size() && field[i] >= QLatin1Char('0') && field[i] <= QLatin1Char('9'); ++i)
    value = value * 10 + (field[i].unicode() - '0');
  return value;
}

qint32 ReadSample(const QString& text, qint32 index) {
  return ReadH6(text, kHeaderLength + 1 + kSampleDigits * index);
}

bool SampleInText(const QString& text, qint32 index) {
  return text.size() >= qint64(kHeaderLength) + qint64(kSampleDigits) * (qint64(index) + 1);
}

bool LooksLikeRecord(const QString& text) {
  if (text.size() <= kHeaderLength) return false;
  for (int i = 2; i < 6; ++i)
    if (const char16_t c = text[i].unicode(); c > 127 || !std::isxdigit(c)) return false;
  return true;
}

}  // namespace ptlog

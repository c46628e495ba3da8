#include "record/ReadoutFormats.h"

#include "platform/Rounding.h"
#include "record/TestRecord.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ptlog {

QString ZeroPadded(qint64 value, int digits) {
  qint64 base = 1;
  for (int i = 0; i < digits; ++i) base *= 10;
  return QString::number(value + base).right(digits);
}

QString DateCaption(const TestRecord& r) {
  return ZeroPadded(r.Year, 2) + '/' + ZeroPadded(r.Month, 2) + '/' + ZeroPadded(r.Day, 2) + ' ' +
         ZeroPadded(r.Hour, 2) + ':' + ZeroPadded(r.Minute, 2);
}

QString InspectionNumberCaption(const TestRecord& r) { return ZeroPadded(r.InspectionNumber, 4); }

namespace {

// The value with `decimals` places, rounded on its 15 significant decimal
// digits, halves away from zero, so that a readout shows the decimal value the
// user expects (16777.215 gives 16777.22, where the binary value alone would
// give .21).
QString FixedDecimal(double magnitude, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
  std::string digits(1, buffer[0]);
  digits.append(buffer + 2, 14);
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  int intDigits = exponent + 1;
  if (intDigits <= 0) {
    digits.insert(0, size_t(1 - intDigits), '0');
    intDigits = 1;
  }
  const size_t keep = size_t(intDigits) + size_t(decimals);
  if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    qsizetype i = qsizetype(keep) - 1;
    while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
    if (i < 0) {
      digits.insert(0, "1");
      ++intDigits;
    } else {
      ++digits[size_t(i)];
    }
  }
  std::string whole = digits.substr(0, size_t(intDigits));
  const size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
  std::string text = whole;
  if (decimals > 0) text += "." + digits.substr(size_t(intDigits));
  return QString::fromLatin1(text.c_str());
}

}  // namespace

QString FormatNumber(double value, const QString& pattern) {
  qsizetype end = 0;
  while (end < pattern.size() && QStringLiteral("#0,.").contains(pattern[end])) ++end;
  const QString number = pattern.left(end);
  const QString suffix = pattern.mid(end);
  const bool grouping = number.contains(',');
  const qsizetype point = number.indexOf('.');
  const QString intPart = QString(point < 0 ? number : number.left(point)).remove(',');
  const int decimals = point < 0 ? 0 : int(number.size() - point - 1);
  const int requiredInt = int(intPart.count('0'));

  const QString digits = FixedDecimal(std::fabs(value), decimals);
  QString whole = decimals > 0 ? digits.left(digits.indexOf('.')) : digits;
  const QString fraction = decimals > 0 ? digits.mid(digits.indexOf('.') + 1) : QString();
  const bool zero = std::none_of(digits.begin(), digits.end(),
                                 [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });

  if (whole == QStringLiteral("0") && requiredInt == 0) whole.clear();
  while (whole.size() < requiredInt) whole.prepend('0');
  if (grouping)
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, ',');

  QString text = whole;
  if (decimals > 0) text += '.' + fraction;
  if (value < 0 && !zero) text.prepend('-');
  return text + suffix;
}

QString RightAligned(const QString& text, int width) { return (QString(width, ' ') + text).right(width); }

QString PressureText(double pascals) {
  return RightAligned(FormatNumber(pascals / 1000.0, QStringLiteral("#,##0.00kPa")), 11);
}

QString DifferentialText(double kpa) {
  return RightAligned(FormatNumber(kpa, QStringLiteral("0.00kPa")), 11);
}

QString TestPressureText(qint32 kpa) {
  return RightAligned(FormatNumber(kpa, QStringLiteral("#,###")) + QStringLiteral("kPa"), 8);
}

QString CriterionText(qint32 pascals) {
  return FormatNumber(pascals / 1000.0, QStringLiteral("0.000")) + QStringLiteral("kPa");
}

QString TimeText(qint32 seconds) {
  const qint32 hours = seconds / 3600;
  const qint32 minutes = (seconds % 3600) / 60;
  const qint32 rest = seconds % 60;
  return ZeroPadded(hours, 2) + ':' + ZeroPadded(minutes, 2) + ':' + ZeroPadded(rest, 2);
}

QString DurationText(qint32 minutes) {
  const double inHours = minutes / 60.0;
  const qint32 h = qint32(std::trunc(inHours));
  const qint64 r = qint64(RoundHalfEven((inHours - h) * 60.0));
  if (h != 0) return QString::number(h) + QStringLiteral("時間") + ZeroPadded(r, 2) + QStringLiteral("分");
  return QString::number(r) + QStringLiteral("分");
}

QString CleanNumericText(const QString& text) {
  QString clean = QStringLiteral("0");
  for (QChar c : text)
    if (c >= QLatin1Char('.') && c <= QLatin1Char('9')) clean += c;
  return clean;
}

double ReadNumber(const QString& text) {
  qsizetype i = 0;
  bool point = false;
  QString digits;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isDigit() && c.unicode() < 128) {
      digits += c;
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
      digits += c;
    } else {
      break;
    }
  }
  return digits.toDouble();
}

}  // namespace ptlog

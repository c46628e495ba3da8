#pragma once

#include <QString>
#include <QtGlobal>

namespace ptlog {

// The last n characters of the decimal text of value + 10^n: 7 -> "07".
QString ZeroPadded(qint64 value, int digits);

// "YY/MM/DD HH:MM" of a record's start.
struct TestRecord;
QString DateCaption(const TestRecord& record);
QString InspectionNumberCaption(const TestRecord& record);

// Pattern formats: '#' optional digit, '0' required digit, ',' grouping,
// '.' decimal point; what follows the number pattern is copied.
QString FormatNumber(double value, const QString& pattern);

// The last `width` characters of `width` blanks followed by the text.
QString RightAligned(const QString& text, int width);

QString PressureText(double pascals);   // "#,##0.00kPa" in 11
QString DifferentialText(double kpa);   // "0.00kPa" in 11
QString TestPressureText(qint32 kpa);   // "#,###" + "kPa" in 8
QString CriterionText(qint32 pascals);  // "0.000kPa"
QString TimeText(qint32 seconds);       // HH:MM:SS
QString DurationText(qint32 minutes);   // 2時間05分, 45分

// "0" and every character from "." to "9" of the text.
QString CleanNumericText(const QString& text);
// Text to number: leading digits with one decimal point; the rest is ignored.
double ReadNumber(const QString& text);

}  // namespace ptlog

#pragma once

#include <QString>
#include <QtGlobal>

namespace ptlog {

// Readers of the fixed-position fields of a record text; positions are
// 1-based. They never validate: short or damaged text gives what the rules
// give, and a field cut short or holding a non-digit reads negative for H4/H6.
qint64 HexReading(QStringView text);
qint32 ReadH2(const QString& text, int position);
qint32 ReadH4(const QString& text, int position);
qint32 ReadH6(const QString& text, int position);
qint32 ReadD2(const QString& text, int position);

inline constexpr int kHeaderLength = 128;
inline constexpr int kSampleDigits = 6;

// Sample i, in pascals.
qint32 ReadSample(const QString& text, qint32 index);
// Whether the text holds all six digits of sample i.
bool SampleInText(const QString& text, qint32 index);

// The cursor bars end at sample 720: a record of more samples cannot be shown.
inline constexpr qint32 kMostSamplesShown = 721;

// Whether a text is a record line at all: a whole header, one sample digit
// at least, and a sample count of four hexadecimal digits.
bool LooksLikeRecord(const QString& text);

}  // namespace ptlog

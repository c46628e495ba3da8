#pragma once

#include <QString>
#include <QtGlobal>

namespace ptlog {

// The whole text as a number, rounded halves to even into 16 bits.
// Not a number (the empty text included): error 13; out of range: error 6.
qint16 WholeTextToInteger16(const QString& text);

// The leading numeric part of a text; 0 when it does not start with a number.
double LeadingNumber(const QString& text);

}  // namespace ptlog

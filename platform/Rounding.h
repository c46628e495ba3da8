#pragma once

#include <QtGlobal>

namespace ptlog {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Rounded and range-checked; out of range raises overflow (error 6).
qint16 ToInteger16(double value);
qint32 ToInteger32(double value);

}  // namespace ptlog

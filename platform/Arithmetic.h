#pragma once

#include "platform/Errors.h"

#include <QtGlobal>
#include <limits>

namespace ptlog {

// Integer arithmetic that raises overflow (error 6) instead of wrapping.
template <typename Int>
Int CheckedAdd(qint64 a, qint64 b) {
  const qint64 sum = a + b;
  if (sum < std::numeric_limits<Int>::min() || sum > std::numeric_limits<Int>::max())
    throw PlatformError(ErrOverflow);
  return Int(sum);
}

template <typename Int>
Int CheckedMul(qint64 a, qint64 b) {
  const qint64 product = a * b;
  if (product < std::numeric_limits<Int>::min() || product > std::numeric_limits<Int>::max())
    throw PlatformError(ErrOverflow);
  return Int(product);
}

inline qint32 Add32(qint64 a, qint64 b) { return CheckedAdd<qint32>(a, b); }
inline qint32 Mul32(qint64 a, qint64 b) { return CheckedMul<qint32>(a, b); }
inline qint16 Add16(qint64 a, qint64 b) { return CheckedAdd<qint16>(a, b); }

// Division in double precision; a zero divisor is a division by zero (error 11).
inline double Divide(double a, double b) {
  if (b == 0.0) throw PlatformError(ErrDivisionByZero);
  return a / b;
}

}  // namespace ptlog

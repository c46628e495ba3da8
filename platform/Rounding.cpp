#include "platform/Rounding.h"

#include "platform/Errors.h"

#include <cmath>
#include <limits>

namespace ptlog {

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

namespace {
template <typename Int>
Int RoundChecked(double value) {
  if (std::isnan(value)) throw PlatformError(ErrOverflow);
  const double rounded = RoundHalfEven(value);
  if (rounded < double(std::numeric_limits<Int>::min()) || rounded > double(std::numeric_limits<Int>::max()))
    throw PlatformError(ErrOverflow);
  return Int(rounded);
}
}  // namespace

qint16 ToInteger16(double value) { return RoundChecked<qint16>(value); }
qint32 ToInteger32(double value) { return RoundChecked<qint32>(value); }

}  // namespace ptlog

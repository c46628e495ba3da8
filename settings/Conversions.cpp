#include "settings/Conversions.h"

#include "platform/Errors.h"
#include "platform/Rounding.h"

#include <QRegularExpression>

namespace ptlog {

namespace {
const QString kNumber = QStringLiteral(R"([+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)");
}

qint16 WholeTextToInteger16(const QString& text) {
  static const QRegularExpression whole(QStringLiteral(R"(^[ \t]*(%1)[ \t]*$)").arg(kNumber));
  const auto match = whole.match(text);
  if (!match.hasMatch()) throw PlatformError(ErrTypeMismatch);
  return ToInteger16(match.captured(1).toDouble());
}

double LeadingNumber(const QString& text) {
  static const QRegularExpression leading(QStringLiteral(R"(^[ \t]*(%1))").arg(kNumber));
  const auto match = leading.match(text);
  return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

}  // namespace ptlog

#include "platform/Fonts.h"

#include "platform/Rounding.h"

#include <QStringList>
#include <QWidget>

namespace ptlog {

QFont MinchoFont(double points, bool bold) {
  QFont font;
  // fontconfig does not alias the Windows face to IPAMincho, so name both.
  font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"),
                    QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                    QStringLiteral("Noto Serif CJK JP")});
  font.setPixelSize(int(RoundHalfEven(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

int TwipsToPixels(int twips) { return int(RoundHalfEven(twips / 15.0)); }

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                      TwipsToPixels(height));
}

}  // namespace ptlog

#include "platform/Fonts.h"

#include "platform/FontFamilies.h"
#include "platform/Rounding.h"

#include <QStringList>
#include <QWidget>

namespace ptlog {

QFont MinchoFont(double points, bool bold) {
  QFont font;
  font.setFamilies(MinchoFamilies());
  font.setPixelSize(int(RoundHalfEven(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

int TwipsToPixels(int twips) { return int(RoundHalfEven(twips / 15.0)); }

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace ptlog

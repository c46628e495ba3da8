#include "platform/Fonts.h"

#include "platform/FontFamilies.h"
#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QProxyStyle>
#include <QScreen>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace ptlog {

namespace {
double layoutScale = 1.0;
}  // namespace

double LayoutScale() { return layoutScale; }
void SetLayoutScale(double scale) { layoutScale = scale; }

QFont MinchoFont(double points, bool bold) {
  QFont font;
  font.setFamilies(MinchoFamilies());
  font.setPixelSize(std::max(1, int(RoundHalfEven(points * 96.0 / 72.0 * layoutScale))));
  font.setBold(bold);
  return font;
}

int TwipsToPixels(int twips) { return int(RoundHalfEven(twips / 15.0 * layoutScale)); }

namespace {
const char* const kDesignRect = "ptlogDesignRect";
int DesignPixels(int twips) { return int(RoundHalfEven(twips / 15.0)); }
}  // namespace

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
  SetDesignRect(widget, QRect(DesignPixels(left), DesignPixels(top), DesignPixels(width), DesignPixels(height)));
}

QRect DesignRect(const QWidget* widget) {
  const QVariant design = widget->property(kDesignRect);
  return design.isValid() ? design.toRect() : widget->geometry();
}

void SetDesignRect(QWidget* widget, QRect designPixels) { widget->setProperty(kDesignRect, designPixels); }

QFont DesignFont(const QFont& font) {
  QFont design = font;
  if (font.pixelSize() > 0 && layoutScale != 1.0)
    design.setPixelSize(std::max(1, int(RoundHalfEven(font.pixelSize() / layoutScale))));
  return design;
}

namespace {
class ScaledMarks : public QProxyStyle {
public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int designed = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
      case PM_IndicatorWidth:
      case PM_IndicatorHeight:
      case PM_ExclusiveIndicatorWidth:
      case PM_ExclusiveIndicatorHeight:
      case PM_CheckBoxLabelSpacing:
      case PM_RadioButtonLabelSpacing:
        return std::max(1, int(RoundHalfEven(designed * layoutScale)));
      default:
        return designed;
    }
  }
};
}  // namespace

QStyle* LayoutScaledMarks() {
  static ScaledMarks* style = new ScaledMarks;
  return style;
}

double FittingScale(QSize design, QRect available, QMargins frame) {
  const QSize room = available.size().shrunkBy(frame);
  if (design.isEmpty()) return 1.0;
  const double fit = std::min(double(room.width()) / design.width(), double(room.height()) / design.height());
  return std::clamp(fit, 0.25, 1.0);
}

void FitLayoutToScreen(QSize design) {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    SetLayoutScale(FittingScale(design, screen->availableGeometry()));
}

}  // namespace ptlog

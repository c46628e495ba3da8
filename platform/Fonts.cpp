#include "platform/Fonts.h"

#include "platform/FontFamilies.h"
#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProxyStyle>
#include <QScreen>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <map>

namespace ptlog {

namespace {
double layoutScale = 1.0;
// The design's pixel size of each scaled size made, for the printed page.
std::map<int, int> designSizes;
}  // namespace

double LayoutScale() { return layoutScale; }
void SetLayoutScale(double scale) { layoutScale = scale; }

QFont MinchoFont(double points, bool bold) {
  QFont font = MinchoFace();
  // Scaled down, never up: a text that fills its control in the design
  // still fits it.
  const int design = int(RoundHalfEven(points * 96.0 / 72.0));
  const int scaled = std::max(1, int(std::floor(design * layoutScale + 1e-9)));
  designSizes[scaled] = design;
  font.setPixelSize(scaled);
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
  if (const auto known = designSizes.find(font.pixelSize()); known != designSizes.end() && layoutScale != 1.0)
    design.setPixelSize(known->second);
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

void WidenLabelsToText(QWidget* window) {
  for (QLabel* label : window->findChildren<QLabel*>()) {
    const int need = label->sizeHint().width();
    if (need > label->width() && !label->wordWrap() && label->parentWidget())
      label->resize(std::max(label->width(), std::min(need, label->parentWidget()->width() - label->x())),
                    label->height());
  }
}

double FittingScale(QSize design, QRect available, QMargins frame) {
  const QSize room = available.size().shrunkBy(frame);
  if (design.isEmpty()) return 1.0;
  const double fit = std::min(double(room.width()) / design.width(), double(room.height()) / design.height());
  return std::clamp(fit, 0.4, 1.0);
}

void FitLayoutToScreen(QSize design) {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    SetLayoutScale(FittingScale(design, screen->availableGeometry()));
}

}  // namespace ptlog

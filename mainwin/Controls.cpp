#include "mainwin/Controls.h"

#include "platform/Fonts.h"
#include "platform/Rounding.h"

#include <QPainter>

#include <algorithm>

namespace ptlog {

AutoLabel::AutoLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                     int leftTwips, int topTwips, int widthTwips)
    : QLabel(parent),
      fixedWidth_(widthTwips > 0 ? TwipsToPixels(widthTwips) : 0),
      designLeft_(TwipsToPixels(leftTwips)) {
  setObjectName(name);
  setFont(font);
  move(designLeft_, TwipsToPixels(topTwips));
  SetCaption(caption);
}

void AutoLabel::SetCaption(const QString& caption) {
  setText(caption);
  const QSize hint = sizeHint();
  resize(fixedWidth_ > 0 ? fixedWidth_ : hint.width(), hint.height());
  const int room = parentWidget() && !isWindow() ? parentWidget()->width() : designLeft_ + width();
  move(std::max(0, std::min(designLeft_, room - width())), y());
  // The page draws it at the design's font: its height is that font's.
  const double scale = LayoutScale();
  const int designHeight = QFontMetrics(DesignFont(font())).height() + height() - fontMetrics().height();
  SetDesignRect(this, QRect(int(RoundHalfEven(x() / scale)), int(RoundHalfEven(y() / scale)),
                            int(RoundHalfEven(width() / scale)), designHeight));
}

int DetailsCheckBox::Value() const {
  switch (checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    default: return 2;
  }
}

void DetailsCheckBox::SetValue(int state) {
  setCheckState(state == 0 ? Qt::Unchecked : state == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

void DetailsCheckBox::nextCheckState() { SetValue(checkState() == Qt::Checked ? 0 : 1); }

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

QImage& PictureBox::Canvas() {
  // Sharp on screens that scale: the canvas has device pixels.
  const qreal ratio = devicePixelRatioF();
  if (canvas_.size() != size() * ratio || canvas_.devicePixelRatio() != ratio) {
    canvas_ = QImage(size() * ratio, QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(ratio);
    canvas_.fill(Qt::white);
  }
  return canvas_;
}

void PictureBox::SetCanvas(const QImage& image) {
  canvas_ = image;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), canvas_);
}

}  // namespace ptlog

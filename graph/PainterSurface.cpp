#include "graph/PainterSurface.h"

#include "platform/FontFamilies.h"

#include <QPaintDevice>

namespace ptlog {

namespace {
constexpr double kTwipsPerPixel = 15.0;  // a pen pixel at 96 dots to the inch
constexpr double kTwipsPerPoint = 20.0;
}  // namespace

PainterSurface::PainterSurface(QPaintDevice* device, double pixelsPerTwip, QRectF clearArea, PenState& pen,
                               std::function<void(bool)> onVisible)
    : ownPainter_(device),
      painter_(ownPainter_),
      clearArea_(clearArea),
      onVisible_(std::move(onVisible)),
      pen_(pen) {
  painter_.scale(pixelsPerTwip, pixelsPerTwip);
  Prepare();
}

PainterSurface::PainterSurface(QPainter& painter, QRectF clearArea, PenState& pen)
    : painter_(painter), clearArea_(clearArea), pen_(pen) {
  Prepare();
}

void PainterSurface::Prepare() {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  font_ = MinchoFace();
  SetFontSize(pen_.fontSize);
}

void PainterSurface::Cls() { painter_.fillRect(clearArea_, Qt::white); }

void PainterSurface::Print(const QString& text) {
  painter_.setPen(Qt::black);
  painter_.drawText(QRectF(currentX_, currentY_, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text);
}

QPen PainterSurface::PenFor(std::optional<Rgb> colour) const {
  const QColor c = colour ? QColor(colour->red, colour->green, colour->blue) : QColor(Qt::black);
  QPen pen(c, pen_.drawWidth * kTwipsPerPixel);
  pen.setCapStyle(Qt::FlatCap);
  if (pen_.drawStyle == 2) {
    // One pixel on, one off, whatever the pen width.
    pen.setDashPattern({1.0, 1.0});
  }
  return pen;
}

void PainterSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour) {
  QPen pen = PenFor(colour);
  if (x1 == x2 && y1 == y2) {
    // A zero-length line still marks its point: a cursor line on one sample must show.
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawPoint(QPointF(x1, y1));
    return;
  }
  painter_.setPen(pen);
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterSurface::SetDrawWidth(int pixels) { pen_.drawWidth = pixels; }
void PainterSurface::SetDrawStyle(int style) { pen_.drawStyle = style; }

void PainterSurface::SetFontSize(int points) {
  pen_.fontSize = points;
  font_.setPixelSize(int(points * kTwipsPerPoint));
  painter_.setFont(font_);
}

void PainterSurface::SetVisible(bool visible) {
  if (onVisible_) onVisible_(visible);
}

void PainterSurface::End() {
  if (ownPainter_.isActive()) ownPainter_.end();
}

}  // namespace ptlog

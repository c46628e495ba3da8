#pragma once

#include "graph/GraphSurface.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <functional>

class QPaintDevice;

namespace ptlog {

// Pen and font settings of a surface; they outlast one painting.
struct PenState {
  int drawWidth = 1;
  int drawStyle = 0;
  int fontSize = 11;
};

// Draws in twips onto any paint device: the window's picture image or a
// printer page. The painter is scaled so one twip is 1/1440 inch on the device.
class PainterSurface : public GraphSurface {
public:
  // `pixelsPerTwip`: device pixels for one twip (1/15 on a 96-dpi screen).
  PainterSurface(QPaintDevice* device, double pixelsPerTwip, QRectF clearArea, PenState& pen,
                 std::function<void(bool)> onVisible = {});
  // On a painter already set up in twips (a page being printed).
  PainterSurface(QPainter& painter, QRectF clearArea, PenState& pen);

  void Cls() override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const QString& text) override;
  void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour = {}) override;
  void SetDrawWidth(int pixels) override;
  void SetDrawStyle(int style) override;
  void SetFontSize(int points) override;
  void SetVisible(bool visible) override;

  // Ends the painting (the device may be shown or printed then).
  void End();

private:
  void Prepare();
  QPen PenFor(std::optional<Rgb> colour) const;

  QPainter ownPainter_;
  QPainter& painter_;
  QRectF clearArea_;
  std::function<void(bool)> onVisible_;
  float currentX_ = 0, currentY_ = 0;
  PenState& pen_;
  QFont font_;
};

}  // namespace ptlog

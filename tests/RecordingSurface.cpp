#include "RecordingSurface.h"

namespace ptlog {

RecordingSurface::Call RecordingSurface::Base(Op op) const {
  Call c;
  c.op = op;
  c.drawWidth = drawWidth_;
  c.drawStyle = drawStyle_;
  c.fontSize = fontSize_;
  return c;
}

void RecordingSurface::Cls() { calls_.push_back(Base(Op::Cls)); }

void RecordingSurface::Print(const QString& text) {
  Call c = Base(Op::Print);
  c.x1 = currentX_;
  c.y1 = currentY_;
  c.text = text;
  calls_.push_back(c);
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour) {
  Call c = Base(Op::Line);
  c.x1 = x1;
  c.y1 = y1;
  c.x2 = x2;
  c.y2 = y2;
  c.colour = colour;
  calls_.push_back(c);
}

void RecordingSurface::SetVisible(bool visible) {
  Call c = Base(Op::Visible);
  c.visible = visible;
  calls_.push_back(c);
}

std::vector<RecordingSurface::Call> RecordingSurface::Lines(std::optional<Rgb> colour) const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.op == Op::Line && c.colour == colour) out.push_back(c);
  return out;
}

std::vector<RecordingSurface::Call> RecordingSurface::Prints() const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.op == Op::Print) out.push_back(c);
  return out;
}

std::optional<RecordingSurface::Call> RecordingSurface::PrintOf(const QString& text) const {
  for (const Call& c : calls_)
    if (c.op == Op::Print && c.text == text) return c;
  return std::nullopt;
}

}  // namespace ptlog

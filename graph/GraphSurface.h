#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace ptlog {

struct Rgb {
  quint8 red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The one drawing target of the graph: coordinates in twips, y downwards.
// Pen width, style and font size stay in force until changed.
class GraphSurface {
public:
  virtual ~GraphSurface() = default;
  virtual void Cls() = 0;
  virtual void SetCurrentX(float x) = 0;
  virtual void SetCurrentY(float y) = 0;
  virtual void Print(const QString& text) = 0;
  virtual void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour = {}) = 0;
  virtual void SetDrawWidth(int pixels) = 0;
  virtual void SetDrawStyle(int style) = 0;  // 0 solid, 2 dotted
  virtual void SetFontSize(int points) = 0;
  virtual void SetVisible(bool visible) = 0;
};

}  // namespace ptlog

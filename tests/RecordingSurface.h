#pragma once

#include "graph/GraphSurface.h"

#include <vector>

namespace ptlog {

// Keeps every drawing call with the pen and font in force, for tests.
class RecordingSurface : public GraphSurface {
public:
  enum class Op { Cls, Print, Line, Visible };
  struct Call {
    Op op = Op::Cls;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Print: CurrentX/CurrentY in x1/y1
    std::optional<Rgb> colour;
    QString text;
    int drawWidth = 1, drawStyle = 0, fontSize = 11;
    bool visible = false;
  };

  void Cls() override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const QString& text) override;
  void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour = {}) override;
  void SetDrawWidth(int pixels) override { drawWidth_ = pixels; }
  void SetDrawStyle(int style) override { drawStyle_ = style; }
  void SetFontSize(int points) override { fontSize_ = points; }
  void SetVisible(bool visible) override;

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> Lines(std::optional<Rgb> colour) const;
  std::vector<Call> Prints() const;
  // The print of exactly this text, if any.
  std::optional<Call> PrintOf(const QString& text) const;
  void Clear() { calls_.clear(); }
  int DrawWidth() const { return drawWidth_; }
  int DrawStyle() const { return drawStyle_; }
  int FontSize() const { return fontSize_; }

private:
  Call Base(Op op) const;
  std::vector<Call> calls_;
  float currentX_ = 0, currentY_ = 0;
  int drawWidth_ = 1, drawStyle_ = 0, fontSize_ = 11;
};

}  // namespace ptlog

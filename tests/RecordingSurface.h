#pragma once

#include "graph/GraphSurface.h"

#include <vector>

namespace ptlog {

// Keeps every drawing call with the pen in force, for tests.
class RecordingSurface : public GraphSurface {
public:
  enum class Op { Cls, Print, Line, Visible };
  struct Call {
    Op op = Op::Cls;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Print: CurrentX/CurrentY in x1/y1
    std::optional<Rgb> colour = std::nullopt;
    QString text = QString();
    bool visible = false;
    int drawWidth = 1, drawStyle = 0;
  };

  void Cls() override { Push({.op = Op::Cls}); }
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const QString& text) override { Push({.op = Op::Print, .x1 = currentX_, .y1 = currentY_, .text = text}); }
  void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour = {}) override {
    Push({.op = Op::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .colour = colour});
  }
  void SetDrawWidth(int pixels) override { drawWidth_ = pixels; }
  void SetDrawStyle(int style) override { drawStyle_ = style; }
  void SetFontSize(int) override {}
  void SetVisible(bool visible) override { Push({.op = Op::Visible, .visible = visible}); }

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> Lines(std::optional<Rgb> colour) const {
    return Where([&](const Call& c) { return c.op == Op::Line && c.colour == colour; });
  }
  std::vector<Call> Prints() const {
    return Where([](const Call& c) { return c.op == Op::Print; });
  }
  // The print of exactly this text, if any.
  std::optional<Call> PrintOf(const QString& text) const {
    const auto found = Where([&](const Call& c) { return c.op == Op::Print && c.text == text; });
    return found.empty() ? std::nullopt : std::optional<Call>(found.front());
  }
  void Clear() { calls_.clear(); }
  int DrawWidth() const { return drawWidth_; }
  int DrawStyle() const { return drawStyle_; }

private:
  void Push(Call c) {
    c.drawWidth = drawWidth_;
    c.drawStyle = drawStyle_;
    calls_.push_back(std::move(c));
  }
  template <typename Pred>
  std::vector<Call> Where(Pred pred) const {
    std::vector<Call> out;
    for (const Call& c : calls_)
      if (pred(c)) out.push_back(c);
    return out;
  }
  std::vector<Call> calls_;
  float currentX_ = 0, currentY_ = 0;
  int drawWidth_ = 1, drawStyle_ = 0;
};

}  // namespace ptlog

#pragma once

#include "graph/GraphSurface.h"

#include <algorithm>
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
    int drawWidth = 1, drawStyle = 0;
  };

  void Cls() override { Push({.op = Op::Cls}); }
  void SetCurrentX(float x) override { x_ = x; }
  void SetCurrentY(float y) override { y_ = y; }
  void Print(const QString& text) override { Push({.op = Op::Print, .x1 = x_, .y1 = y_, .text = text}); }
  void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour = {}) override {
    Push({.op = Op::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .colour = colour});
  }
  void SetDrawWidth(int pixels) override { width = pixels; }
  void SetDrawStyle(int dashes) override { style = dashes; }
  void SetFontSize(int) override {}
  void SetVisible(bool) override { Push({.op = Op::Visible}); }

  std::vector<Call> calls;
  int width = 1, style = 0;  // the pen now

  std::vector<Call> Lines(std::optional<Rgb> colour) const {
    std::vector<Call> lines;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(lines),
                 [&](const Call& c) { return c.op == Op::Line && c.colour == colour; });
    return lines;
  }
  // The first print of exactly this text, if any.
  std::optional<Call> PrintOf(const QString& text) const {
    const auto found = std::find_if(calls.begin(), calls.end(), [&](const Call& c) { return c.text == text; });
    return found == calls.end() ? std::nullopt : std::optional<Call>(*found);
  }

private:
  void Push(Call c) {
    c.drawWidth = width, c.drawStyle = style;
    calls.push_back(std::move(c));
  }
  float x_ = 0, y_ = 0;
};

}  // namespace ptlog

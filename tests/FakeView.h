#pragma once

#include "RecordingSurface.h"
#include "graph/RedrawGraph.h"
#include "platform/Errors.h"
#include "record/DecodeTestRecord.h"
#include "record/MainView.h"

#include <array>

namespace ptlog::test {

// The main window's controls as plain values, with the same nested handling
// of scroll-bar changes; the graph goes to a recording surface.
class FakeView : public MainView {
public:
  explicit FakeView(ViewState& state) : state_(state) {
    label3Visible.fill(true);
    label4Visible.fill(true);
  }

  bool Scale1MPaSelected() const override { return scale1MPa; }
  int DetailsValue() const override { return details; }
  QString Label4Caption(int i) const override { return captions.at(i); }
  void SetLabel4Caption(int i, const QString& c) override { captions.at(i) = c; }
  void SetLabel3Visible(int i, bool v) override { label3Visible.at(i) = v; }
  void SetLabel4Visible(int i, bool v) override { label4Visible.at(i) = v; }
  int ScrollValue(int i) const override { return scroll.at(i); }
  void SetScrollVisible(int i, bool v) override { scrollVisible.at(i) = v; }
  void SetScrollValue(int i, int value) override {
    if (value < 0 || value > 720) throw PlatformError(ErrInvalidPropertyValue);
    if (scroll.at(i) == value) return;
    scroll.at(i) = value;
    CursorScrollChanged(state_, *this, i);
  }
  void RedrawGraph() override {
    ++redraws;
    surface.Clear();
    ptlog::RedrawGraph(state_, *this, surface);
  }

  bool scale1MPa = true;
  int details = 1;
  std::array<QString, 19> captions;
  std::array<bool, 20> label3Visible;
  std::array<bool, 19> label4Visible;
  std::array<int, 2> scroll{0, 0};
  std::array<bool, 2> scrollVisible{true, true};
  int redraws = 0;
  RecordingSurface surface;

private:
  ViewState& state_;
};

}  // namespace ptlog::test

#pragma once

#include "graph/GraphSurface.h"
#include "record/MainView.h"
#include "record/Readouts.h"

#include <array>
#include <functional>

namespace ptlog {

// The main window's readouts and choices as plain values, for output made
// without a window (reports, tables): decoding and drawing fill it exactly as
// they fill the window's labels.
class HeadlessView : public MainView {
public:
  HeadlessView(ViewState& state, bool scale1MPa, int details)
      : state_(state), scale1MPa_(scale1MPa), details_(details) {}

  bool Scale1MPaSelected() const override { return scale1MPa_; }
  int DetailsValue() const override { return details_; }
  QString Label4Caption(int index) const override { return captions_.at(size_t(index)); }
  void SetLabel4Caption(int index, const QString& caption) override { captions_.at(size_t(index)) = caption; }
  void SetLabel3Visible(int, bool) override {}
  void SetLabel4Visible(int, bool) override {}
  int ScrollValue(int index) const override { return scroll_.at(size_t(index)); }
  void SetScrollValue(int index, int value) override;
  void SetScrollVisible(int, bool) override {}
  // Draws onto the surface given by DrawOn, or only fills the readouts.
  void RedrawGraph() override;

  void DrawOn(GraphSurface* surface) { surface_ = surface; }
  // While deferred, a redraw only waits for the next real one: decoding
  // redraws after each cursor move, and without a picture only the last
  // redraw's readouts remain.
  void DeferRedraws(bool deferred) { deferred_ = deferred; }

private:
  ViewState& state_;
  bool scale1MPa_;
  int details_;
  std::array<QString, readout::Count> captions_;
  std::array<int, 2> scroll_{0, 0};
  GraphSurface* surface_ = nullptr;
  bool deferred_ = false;
};

}  // namespace ptlog

#include "graph/HeadlessView.h"

#include "graph/RedrawGraph.h"
#include "platform/Errors.h"
#include "record/DecodeTestRecord.h"

namespace ptlog {

namespace {
constexpr int kScrollMax = 720;  // as the window's cursor bars

// Readouts only: the graph's drawing calls go nowhere.
class NoSurface : public GraphSurface {
public:
  void Cls() override {}
  void SetCurrentX(float) override {}
  void SetCurrentY(float) override {}
  void Print(const QString&) override {}
  void Line(float, float, float, float, std::optional<Rgb>) override {}
  void SetDrawWidth(int) override {}
  void SetDrawStyle(int) override {}
  void SetFontSize(int) override {}
  void SetVisible(bool) override {}
};
}  // namespace

void HeadlessView::SetScrollValue(int index, int value) {
  if (value < 0 || value > kScrollMax) throw PlatformError(ErrInvalidPropertyValue);
  if (scroll_.at(size_t(index)) == value) return;
  scroll_.at(size_t(index)) = value;
  CursorScrollChanged(state_, *this, index);
}

void HeadlessView::RedrawGraph() {
  if (deferred_) return;
  NoSurface nowhere;
  ptlog::RedrawGraph(state_, *this, surface_ ? *surface_ : static_cast<GraphSurface&>(nowhere));
}

}  // namespace ptlog

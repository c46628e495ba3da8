#include "RecordingSurface.h"
#include "TestSupport.h"
#include "graph/HeadlessView.h"
#include "graph/RedrawGraph.h"

#include <map>

using namespace ptlog;
using Call = RecordingSurface::Call;

namespace {

constexpr Rgb kBlue{0, 0, 255}, kRed{192, 0, 0}, kLineBRed{255, 0, 0}, kOlive{128, 128, 0};

tools::RecordSpec Typed(std::vector<qint32> samples, int interval, int testMinutes) {
  tools::RecordSpec s;
  s.pipeType = 1, s.intervalSeconds = interval, s.testMinutes = testMinutes, s.cursorStartMinutes = 0;
  s.samples = std::move(samples);
  return s;
}

class Redraw : public ::testing::Test {
protected:
  // Loads the record as decoding would, without the window.
  void Use(const tools::RecordSpec& spec) {
    state.Record = DecodeHeader(tools::RecordText(spec));
    if (state.Record.Typed()) state.Record.EndSeconds = ElapsedEndSeconds(state.Record);
  }
  // A redraw with the display choices, readouts as the window's labels.
  void Draw() {
    view = std::make_unique<HeadlessView>(state, scale1MPa, details);
    surface.calls.clear();
    RedrawGraph(state, *view, surface);
  }
  QString Caption(int index) const { return view->Label4Caption(index); }
  std::vector<float> Of(Rgb colour, float Call::*field = &Call::x1) const {
    std::vector<float> values;
    for (const Call& c : surface.Lines(colour)) values.push_back(c.*field);
    return values;
  }

  ViewState state;
  bool scale1MPa = true;
  int details = 1;
  RecordingSurface surface;
  std::unique_ptr<HeadlessView> view;
};

// The time axis labels its ticks by the span of the record; the last tick
// stands at the frame's right edge. The longest span that fits 16 bits draws,
// one more second overflows keeping what was drawn.
TEST(TimeAxis, TicksAndLabelsAndTheLongestSpan) {
  const std::pair<qint32, const char*> cases[] = {{299, ""}, {300, "5分"}, {3600, "30分 60分"},
      {18000, "1時間 2時間 3時間 4時間 5時間"}, {86400, "4時間 8時間 12時間 16時間 20時間 24時間"}};
  for (auto [span, labels] : cases) {
    RecordingSurface g;
    DrawTimeAxis(g, span, 0, 0);
    QStringList got;
    for (const Call& c : g.calls)
      if (c.op == RecordingSurface::Op::Print) got << c.text;
    EXPECT_EQ(got.join(' '), QString::fromUtf8(labels)) << span;
    EXPECT_NEAR(got.isEmpty() ? 14500 : g.Lines(std::nullopt).back().x1, 14500, 23) << span;
  }
  RecordingSurface fits, overflows;
  EXPECT_NO_THROW(DrawTimeAxis(fits, 155614, 0, 0));
  EXPECT_THROW(DrawTimeAxis(overflows, 155615, 0, 0), PlatformError);
  EXPECT_EQ(overflows.Lines(std::nullopt).size(), fits.Lines(std::nullopt).size());
}

// The trace is clamped one twip outside the frame, drawn two pixels wide
// with the pen restored after; 2 MPa halves its height. The detail trace
// (3700 - 0.7 twips per pascal from line A's pressure, here 0) is a bundle
// of seven dotted strokes, dashed by its slope, nothing beyond the edge.
TEST_F(Redraw, TraceAndDetailTrace) {
  Use(Typed({3000000, 0, 500000, 1000000}, 60, 3));
  Draw();
  EXPECT_EQ(Of(kBlue, &Call::y2), (std::vector<float>{199, 7200, 3700, 200}));
  EXPECT_EQ(Of(kBlue, &Call::x2), (std::vector<float>{700, 5300, 9900, 14500})) << "the first segment is a dot";
  EXPECT_EQ(surface.Lines(kBlue).front().drawWidth, 2);
  EXPECT_EQ(std::make_pair(surface.width, surface.style), std::make_pair(1, 0));
  scale1MPa = false;
  Draw();
  EXPECT_EQ(Of(kBlue, &Call::y2)[3], 3700);

  const std::pair<qint32, size_t> details[] = {{46, 7}, {47, 14}, {10000, 14}};  // second sample, red strokes
  for (auto [second, strokes] : details) {
    tools::RecordSpec s = Typed({0, second}, 60, 2);
    s.aPressurePa = 0;
    Use(s);
    Draw();
    EXPECT_EQ(Of(kRed).size(), strokes) << second;
    EXPECT_EQ(std::make_pair(surface.Lines(kRed).back().drawStyle, surface.Lines(kRed).back().drawWidth),
              std::make_pair(2, 1));
  }
}

// Lines B and C and the readouts, for a typed record that passed and
// variations of it.
TEST_F(Redraw, VerdictLinesAndReadouts) {
  using Change = std::function<void(tools::RecordSpec&)>;
  const std::tuple<Change, std::vector<float>, std::vector<float>, std::map<int, const char*>> cases[] = {
      {[](tools::RecordSpec&) {}, {14500}, {14500},  // passed: B and C at the last sample
       {{2, "3分"}, {3, "  699.00kPa"}, {4, "  697.00kPa"}, {6, "  698.00kPa"}, {8, "00:03:00"},
        {10, "00:02:00"}, {12, "   -2.00kPa"}, {14, "   -1.00kPa"}, {15, "PE・PB管"},
        {16, "1,500kPa"}, {17, "0.750kPa"}, {18, "合格"}}},
      {[](tools::RecordSpec& s) {  // failed: B at the first sample reaching the end seconds
         s.samples = {700000, 690000, 680000, 670000, 660000};
         s.testMinutes = 10, s.pipeType = 4, s.failFlag = 1, s.endSecondsStored = 10 * 60 - 90;
         s.bPressurePa = 685000, s.aPressurePa = 700000, s.finalPressurePa = 660000;
       },
       {700 + 2760}, {700 + 5520},
       {{4, "  685.00kPa"}, {8, "00:01:30"}, {12, "  -15.00kPa"}, {15, "床暖房管"}, {18, "不合格"}}},
      {[](tools::RecordSpec& s) {  // failed beyond the last sample: the header's readouts stay
         s.samples = {700000, 690000}, s.testMinutes = 10, s.failFlag = 1, s.endSecondsStored = 0;
         s.bPressurePa = 640000;
       },
       {}, {700 + 1380}, {{4, "  640.00kPa"}}},
      {[](tools::RecordSpec& s) {  // untyped: no B, C or verdict; D past the end
         s.samples = {700000, 690000}, s.pipeType = 0, s.measureMinutes = 125, s.aPressurePa = 700000;
       },
       {}, {}, {{2, "2時間05分"}, {3, "  690.00kPa"}, {6, ""}, {10, ""}, {15, ""}, {18, ""}}},
      {[](tools::RecordSpec& s) { s.pipeType = 7; }, {14500}, {14500}, {{15, ""}, {18, "合格"}}},
      {[](tools::RecordSpec& s) { s.samples = {16777215, 16777215}, s.pipeType = 0, s.setPressureKpa = 0; },
       {}, {}, {{3, "6,777.22kPa"}, {15, ""}, {16, "     kPa"}, {17, ""}}}};
  for (const auto& [change, lineB, lineC, captions] : cases) {
    tools::RecordSpec s = Typed({700000, 699000, 698000, 697000}, 60, 3);
    s.cursorStartMinutes = 1, s.aPressurePa = 699000, s.bPressurePa = 1, s.finalPressurePa = 697000;
    s.testPressureKpa = 1500, s.allowedDropPa = 750;
    change(s);
    Use(s);
    state.CursorATime = 60;
    state.CursorDTime = 120;
    Draw();
    EXPECT_EQ(std::make_pair(Of(kLineBRed), Of(kOlive)), std::make_pair(lineB, lineC));
    for (const auto& [index, text] : captions) EXPECT_EQ(Caption(index), QString::fromUtf8(text)) << index;
  }
}

// The drawing offset moves everything; samples past the end of a short text
// draw nothing.
TEST_F(Redraw, OffsetAndShortText) {
  Use(Typed({700000, 650000, 600000}, 60, 3));
  state.DrawOffsetX = 1000;
  state.DrawOffsetY = 500;
  Draw();
  EXPECT_EQ(Of(kBlue).front(), 1700);
  EXPECT_EQ(std::make_pair(surface.PrintOf("1.0MPa")->x1, surface.PrintOf("1.0MPa")->y1),
            std::make_pair(1100.f, 600.f));

  tools::RecordSpec s = Typed({700000, 690000, 680000, 670000}, 60, 3);
  s.sampleCountField = 10;
  state = ViewState{};
  Use(s);
  state.Record.RecordText.chop(3);  // the last sample cut short too
  Draw();
  EXPECT_EQ(Of(kBlue).size(), 3u);
  EXPECT_EQ(surface.calls.back().op, RecordingSurface::Op::Visible);
}

}  // namespace

#include "graph/RedrawGraph.h"

#include "FakeView.h"
#include "platform/Errors.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>

using namespace ptlog;
using ptlog::test::FakeView;
using Call = RecordingSurface::Call;

namespace {

constexpr Rgb kBlue{0, 0, 255}, kRed{192, 0, 0}, kGreen{0, 255, 0}, kLineBRed{255, 0, 0},
    kOlive{128, 128, 0}, kTeal{0, 128, 128};

class Redraw : public ::testing::Test {
protected:
  // Loads the record as decoding would, without the window.
  void Use(const tools::RecordSpec& spec) {
    state.Record = DecodeHeader(tools::RecordText(spec));
    if (state.Record.Typed()) state.Record.EndSeconds = ElapsedEndSeconds(state.Record);
  }
  void Draw() {
    view.surface.Clear();
    RedrawGraph(state, view, view.surface);
  }
  std::vector<Call> Lines(Rgb colour) const { return view.surface.Lines(colour); }
  std::vector<float> XsOf(Rgb colour) const {
    std::vector<float> xs;
    for (const Call& c : Lines(colour)) xs.push_back(c.x1);
    return xs;
  }

  ViewState state;
  FakeView view{state};
};

tools::RecordSpec Typed(std::vector<qint32> samples, int interval, int testMinutes) {
  tools::RecordSpec s;
  s.pipeType = 1;
  s.intervalSeconds = interval;
  s.testMinutes = testMinutes;
  s.cursorStartMinutes = 0;
  s.samples = std::move(samples);
  return s;
}

struct AxisCase {
  qint32 span;
  std::vector<std::pair<int, const char*>> ticks;  // x offset from 700, label
};

class TimeAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(TimeAxis, TicksAndLabels) {
  RecordingSurface g;
  DrawTimeAxis(g, GetParam().span, 0, 0);
  const auto lines = g.Lines(std::nullopt);
  const auto prints = g.Prints();
  ASSERT_EQ(lines.size(), GetParam().ticks.size()) << GetParam().span;
  ASSERT_EQ(prints.size(), GetParam().ticks.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto [dx, label] = GetParam().ticks[i];
    EXPECT_EQ(lines[i].x1, 700 + dx) << label;
    EXPECT_EQ(lines[i].y1, 200);
    EXPECT_EQ(lines[i].y2, 7200);
    EXPECT_EQ(lines[i].drawStyle, 0) << "time lines are solid";
    EXPECT_EQ(prints[i].text, QString::fromUtf8(label));
    EXPECT_EQ(prints[i].x1, 400 + dx);
    EXPECT_EQ(prints[i].y1, 7300);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spans, TimeAxis,
    ::testing::Values(
        AxisCase{1, {}}, AxisCase{299, {}}, AxisCase{300, {{13777, "5分"}}},
        AxisCase{3600, {{6899, "30分"}, {13799, "60分"}}},
        AxisCase{18000, {{2760, "1時間"}, {5520, "2時間"}, {8280, "3時間"}, {11040, "4時間"}, {13800, "5時間"}}},
        AxisCase{86400, {{2300, "4時間"}, {4600, "8時間"}, {6900, "12時間"}, {9200, "16時間"},
                         {11500, "20時間"}, {13800, "24時間"}}}));

TEST(TimeAxisLimit, LongestSpanFitsAndOneMoreOverflows) {
  RecordingSurface g;
  EXPECT_NO_THROW(DrawTimeAxis(g, 155614, 0, 0));
  RecordingSurface h;
  try {
    DrawTimeAxis(h, 155615, 0, 0);
    FAIL() << "no overflow";
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
  // x x T first leaves 32 bits at the last offset, after every tick of the span.
  EXPECT_EQ(h.Lines(std::nullopt).size(), g.Lines(std::nullopt).size()) << "drawn so far stays";
}

TEST_F(Redraw, NothingLoadedDrawsFrameAndScalesOnly) {
  Draw();
  const auto& calls = view.surface.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().op, RecordingSurface::Op::Cls);
  EXPECT_EQ(calls.back().op, RecordingSurface::Op::Visible);
  EXPECT_EQ(view.surface.Lines(std::nullopt).size(), 13u) << "frame, nine grid lines, bottom axis";
  EXPECT_TRUE(Lines(kBlue).empty());
  EXPECT_TRUE(Lines(kGreen).empty());
  EXPECT_TRUE(view.surface.PrintOf("1.0MPa"));
  EXPECT_TRUE(view.surface.PrintOf("kPa"));
  EXPECT_FALSE(view.surface.PrintOf("5分"));
  EXPECT_EQ(view.captions[0], "0000");
  EXPECT_EQ(view.captions[1], "00/00/00 00:00");
  EXPECT_EQ(view.captions[2], "0分");
  EXPECT_EQ(view.captions[14], "    0.00kPa");
  EXPECT_EQ(view.captions[16], "     kPa");
  for (int i : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 18}) EXPECT_EQ(view.captions[i], "") << i;
}

TEST_F(Redraw, FrameGridAndScaleLabels) {
  Draw();
  const auto lines = view.surface.Lines(std::nullopt);
  ASSERT_EQ(lines.size(), 13u);
  for (int i = 3; i < 12; ++i) {
    EXPECT_EQ(lines[i].drawStyle, 2) << "dotted grid";
    EXPECT_EQ(lines[i].y1, 200 + 700 * (i - 2));
  }
  EXPECT_EQ(lines[12].drawStyle, 0);
  EXPECT_EQ(lines[12].y1, 7200);
  const std::pair<const char*, float> left1[] = {{"1.0MPa", 100}, {"0.5", 3600}, {"0.1", 6400}};
  for (auto [text, y] : left1) {
    ASSERT_TRUE(view.surface.PrintOf(text)) << text;
    EXPECT_EQ(view.surface.PrintOf(text)->x1, 100);
    EXPECT_EQ(view.surface.PrintOf(text)->y1, y);
  }
  bool zeroPrinted = false;
  for (const Call& c : view.surface.Prints())
    if (c.text == "0" && c.x1 == 100) zeroPrinted = c.y1 == 7100;
  EXPECT_TRUE(zeroPrinted);
  EXPECT_EQ(view.surface.PrintOf("-4")->x1, 14550);

  view.scale1MPa = false;
  view.details = 0;
  Draw();
  EXPECT_TRUE(view.surface.PrintOf("2.0MPa"));
  EXPECT_TRUE(view.surface.PrintOf("0.2"));
  EXPECT_FALSE(view.surface.PrintOf("0.9"));
  EXPECT_FALSE(view.surface.PrintOf("kPa"));
  EXPECT_FALSE(view.surface.PrintOf("-4"));
  EXPECT_EQ(view.surface.Lines(std::nullopt).size(), 13u) << "the grid stays the same";
}

TEST_F(Redraw, TraceIsClampedOneTwipOutsideTheFrame) {
  Use(Typed({3000000, 0, 500000, 1000000}, 60, 3));
  Draw();
  const auto trace = Lines(kBlue);
  ASSERT_EQ(trace.size(), 4u);
  EXPECT_EQ(trace[0].x1, 700);
  EXPECT_EQ(trace[0].x2, 700) << "the first segment is a dot";
  EXPECT_EQ(trace[0].y2, 199);
  EXPECT_EQ(trace[1].y2, 7200);
  EXPECT_EQ(trace[2].y2, 3700);
  EXPECT_EQ(trace[3].y2, 200);
  EXPECT_EQ(trace[1].x2, 700 + 4600);
  EXPECT_EQ(trace[3].x2, 14500);
  for (const Call& c : trace) EXPECT_EQ(c.drawWidth, 2);
  EXPECT_EQ(view.surface.DrawWidth(), 1);
  EXPECT_EQ(view.surface.DrawStyle(), 0);

  view.scale1MPa = false;
  Draw();
  EXPECT_EQ(Lines(kBlue)[3].y2, 3700) << "2MPa halves the height";
}

TEST_F(Redraw, DetailBundleThresholdAndClampedPairs) {
  // Detail y is 3700 - 0.7 twips per pascal from line A's pressure (here 0).
  struct Case {
    std::vector<qint32> samples;
    size_t redLines;
  } cases[] = {
      {{0, 46}, 7},              // 32 twips: dash rule, the dash turns off
      {{0, 47}, 14},             // 33 twips: always a bundle
      {{10000, 10000}, 0},       // both beyond the top edge
      {{0, 10000}, 14},          // from in range to beyond the edge
  };
  for (const Case& c : cases) {
    tools::RecordSpec s = Typed(c.samples, 60, 2);
    s.aPressurePa = 0;
    Use(s);
    Draw();
    EXPECT_EQ(Lines(kRed).size(), c.redLines) << c.samples[0] << "," << c.samples[1];
    for (const Call& line : Lines(kRed)) {
      EXPECT_EQ(line.drawStyle, 2);
      EXPECT_EQ(line.drawWidth, 1);
    }
  }
}

TEST_F(Redraw, BundleHasSevenShiftedStrokes) {
  tools::RecordSpec s = Typed({0, 1000}, 60, 2);
  Use(s);
  Draw();
  const auto red = Lines(kRed);
  ASSERT_EQ(red.size(), 14u);
  const int shifts[7][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}, {16, 0}, {0, 16}, {16, 16}};
  for (int k = 0; k < 7; ++k) {
    const Call& c = red[7 + k];
    EXPECT_EQ(c.x1, 700 + shifts[k][0]);
    EXPECT_EQ(c.y1, 3700 + shifts[k][1]);
    EXPECT_EQ(c.x2, 700 + 6900 + shifts[k][0]);
    EXPECT_EQ(c.y2, 3000 + shifts[k][1]);
  }
}

TEST_F(Redraw, FlatDetailTraceIsDashedAtEveryOtherSample) {
  // 19 s apart over 115 minutes: samples stand 38 twips apart.
  Use(Typed(std::vector<qint32>(10, 500000), 19, 115));
  state.Record.APressurePa = 500000;
  Draw();
  // Each drawn segment is a bundle of seven strokes; its first ends on the sample.
  std::vector<float> ends;
  const auto red = Lines(kRed);
  for (size_t k = 0; k < red.size(); k += 7) ends.push_back(red[k].x2);
  EXPECT_EQ(ends, (std::vector<float>{700, 776, 852, 928, 1004}));
  view.details = 0;
  Draw();
  EXPECT_TRUE(Lines(kRed).empty());
  EXPECT_EQ(Lines(kBlue).size(), 10u);
}

TEST_F(Redraw, PassedRecordPutsBAndCAtTheLastSample) {
  tools::RecordSpec s = Typed({700000, 699000, 698000, 697000}, 60, 3);
  s.cursorStartMinutes = 1;
  s.aPressurePa = 699000;
  s.bPressurePa = 1;
  s.finalPressurePa = 697000;
  s.failFlag = 0;
  s.testPressureKpa = 1500;
  s.allowedDropPa = 750;
  Use(s);
  state.CursorATime = 60;
  state.CursorDTime = 120;
  Draw();
  EXPECT_EQ(XsOf(kGreen), std::vector<float>{700 + 4600});
  EXPECT_EQ(XsOf(kTeal), std::vector<float>{700 + 9200});
  EXPECT_EQ(XsOf(kLineBRed), std::vector<float>{14500});
  EXPECT_EQ(XsOf(kOlive), std::vector<float>{14500});
  EXPECT_EQ(view.surface.PrintOf("B線")->y1, 7600);
  EXPECT_EQ(view.surface.PrintOf("C線")->y1, 7700);
  EXPECT_EQ(view.surface.PrintOf("C線")->x1, 14400);
  EXPECT_EQ(view.surface.PrintOf("A線")->fontSize, 8);
  EXPECT_EQ(view.surface.FontSize(), 11);
  EXPECT_EQ(view.captions[3], "  699.00kPa");
  EXPECT_EQ(view.captions[4], "  697.00kPa");
  EXPECT_EQ(view.captions[5], "  697.00kPa");
  EXPECT_EQ(view.captions[6], "  698.00kPa");
  EXPECT_EQ(view.captions[7], "00:01:00");
  EXPECT_EQ(view.captions[8], "00:03:00");
  EXPECT_EQ(view.captions[10], "00:02:00");
  EXPECT_EQ(view.captions[11], "    0.00kPa");
  EXPECT_EQ(view.captions[12], "   -2.00kPa");
  EXPECT_EQ(view.captions[13], "   -2.00kPa");
  EXPECT_EQ(view.captions[14], "   -1.00kPa");
  EXPECT_EQ(view.captions[15], "PE・PB管");
  EXPECT_EQ(view.captions[16], "1,500kPa");
  EXPECT_EQ(view.captions[17], "0.750kPa");
  EXPECT_EQ(view.captions[18], "合格");
  EXPECT_EQ(view.captions[2], "3分");
}

TEST_F(Redraw, FailedRecordPutsBAtTheFirstSampleReachingEndSeconds) {
  tools::RecordSpec s = Typed({700000, 690000, 680000, 670000, 660000}, 60, 10);
  s.pipeType = 4;
  s.failFlag = 1;
  s.endSecondsStored = 10 * 60 - 90;  // failed 90 s in
  s.bPressurePa = 685000;
  s.aPressurePa = 700000;
  s.finalPressurePa = 660000;
  Use(s);
  Draw();
  EXPECT_EQ(view.captions[18], "不合格");
  EXPECT_EQ(view.captions[15], "床暖房管");
  EXPECT_EQ(XsOf(kLineBRed), std::vector<float>{700 + 2760}) << "sample 2 at 120 s";
  EXPECT_EQ(XsOf(kOlive), std::vector<float>{700 + 5520});
  EXPECT_EQ(view.captions[4], "  685.00kPa");
  EXPECT_EQ(view.captions[8], "00:01:30");
  EXPECT_EQ(view.captions[12], "  -15.00kPa");

  // The verdict comes from the text at every redraw.
  state.Record.RecordText[54] = '0';
  state.Record.RecordText[55] = '0';
  Draw();
  EXPECT_EQ(view.captions[18], "合格");
}

TEST_F(Redraw, FailedBeyondTheLastSampleKeepsTheHeaderReadouts) {
  tools::RecordSpec s = Typed({700000, 690000}, 60, 10);
  s.failFlag = 1;
  s.endSecondsStored = 0;  // elapsed 600 s, beyond the last sample at 60 s
  s.bPressurePa = 640000;
  Use(s);
  Draw();
  EXPECT_TRUE(XsOf(kLineBRed).empty());
  EXPECT_EQ(view.captions[4], "  640.00kPa");
  EXPECT_EQ(XsOf(kOlive).size(), 1u);
}

TEST_F(Redraw, LineDBeyondTheLastSampleIsNotDrawn) {
  tools::RecordSpec s = Typed({700000, 690000}, 60, 10);
  s.pipeType = 0;
  s.measureMinutes = 125;
  s.aPressurePa = 700000;
  Use(s);
  state.CursorATime = 0;
  state.CursorDTime = 61;
  Draw();
  EXPECT_TRUE(XsOf(kTeal).empty());
  EXPECT_EQ(view.captions[6], "");
  EXPECT_EQ(view.captions[10], "");
  EXPECT_EQ(view.captions[14], " -700.00kPa");
  EXPECT_EQ(view.captions[2], "2時間05分");
  EXPECT_TRUE(XsOf(kLineBRed).empty()) << "no B or C without a pipe type";
  EXPECT_TRUE(XsOf(kOlive).empty());
  EXPECT_EQ(view.captions[3], "  700.00kPa") << "untyped: A from the sample";
  EXPECT_EQ(view.captions[18], "");
}

TEST_F(Redraw, ReadoutTextsAtTheirLimits) {
  tools::RecordSpec s = Typed({16777215}, 60, 0);
  s.pipeType = 0;
  s.setPressureKpa = 0;
  Use(s);
  Draw();
  EXPECT_EQ(view.captions[3], "6,777.22kPa");
  EXPECT_EQ(view.captions[16], "     kPa");
  EXPECT_EQ(view.captions[17], "");
  EXPECT_EQ(view.captions[15], "");
}

TEST_F(Redraw, UnknownPipeTypeCountsAsTyped) {
  tools::RecordSpec s = Typed({700000, 700000}, 60, 1);
  s.pipeType = 7;
  Use(s);
  Draw();
  EXPECT_EQ(view.captions[15], "");
  EXPECT_EQ(view.captions[18], "合格");
  EXPECT_EQ(XsOf(kOlive).size(), 1u);
}

TEST_F(Redraw, OffsetMovesEverything) {
  tools::RecordSpec s = Typed({700000, 650000, 600000}, 60, 3);
  Use(s);
  Draw();
  const auto plain = view.surface.Calls();
  state.DrawOffsetX = 1000;
  state.DrawOffsetY = 500;
  Draw();
  const auto moved = view.surface.Calls();
  ASSERT_EQ(plain.size(), moved.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    if (plain[i].op != RecordingSurface::Op::Line && plain[i].op != RecordingSurface::Op::Print) continue;
    EXPECT_EQ(moved[i].x1, plain[i].x1 + 1000) << i;
    EXPECT_EQ(moved[i].y1, plain[i].y1 + 500) << i;
    if (plain[i].op == RecordingSurface::Op::Line) {
      EXPECT_EQ(moved[i].x2, plain[i].x2 + 1000) << i;
      EXPECT_EQ(moved[i].y2, plain[i].y2 + 500) << i;
    }
  }
}

TEST_F(Redraw, OffsetBeyondSixteenBitsStops) {
  state.DrawOffsetX = 18218;
  EXPECT_THROW(Draw(), PlatformError);
  state.DrawOffsetX = 18217;
  state.DrawOffsetY = 24967;
  EXPECT_NO_THROW(Draw());
}

TEST_F(Redraw, SamplesPastTheEndOfAShortTextDrawNothing) {
  tools::RecordSpec s = Typed({700000, 690000, 680000, 670000}, 60, 3);
  s.sampleCountField = 10;
  QString text = tools::RecordText(s);
  text.chop(3);  // the last sample cut short too
  state.Record = DecodeHeader(text);
  state.Record.EndSeconds = ElapsedEndSeconds(state.Record);
  Draw();
  EXPECT_EQ(Lines(kBlue).size(), 3u);
  EXPECT_EQ(view.surface.Calls().back().op, RecordingSurface::Op::Visible);
}

}  // namespace

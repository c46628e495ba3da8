#include "graph/RedrawGraph.h"

#include "platform/Arithmetic.h"
#include "platform/Rounding.h"
#include "record/ReadoutFormats.h"
#include "record/Readouts.h"
#include "record/RecordFields.h"

#include <cstdlib>

namespace ptlog {

namespace {

// Lines A to D, as the readout grid orders them.
constexpr int kA = 0, kB = 1, kC = 2, kD = 3;

constexpr int kLeft = 700, kRight = 14500, kTop = 200, kBottom = 7200;
constexpr int kPlotWidth = 13800;
constexpr int kGridStep = 700;
constexpr int kClampAbove = 199, kClampBelow = 7201;

constexpr Rgb kTraceBlue{0, 0, 255};
constexpr Rgb kDetailRed{192, 0, 0};

struct CursorLine {
  Rgb colour;
  const char* name;
  int nameY;
};
const CursorLine kLineA{{0, 255, 0}, "A線", 7500};
const CursorLine kLineB{{255, 0, 0}, "B線", 7600};
const CursorLine kLineC{{128, 128, 0}, "C線", 7700};
const CursorLine kLineD{{0, 128, 128}, "D線", 7800};

const char* const kLeftLabels1MPa[] = {"1.0MPa", "0.9", "0.8", "0.7", "0.6",
                                       "0.5",    "0.4", "0.3", "0.2", "0.1"};
const char* const kLeftLabels2MPa[] = {"2.0MPa", "1.8", "1.6", "1.4", "1.2",
                                       "1.0",    "0.8", "0.6", "0.4", "0.2"};
const char* const kRightLabels[] = {"kPa", "4", "3", "2", "1", "0", "-1", "-2", "-3", "-4"};

const char* const kPipeNames[] = {"PE・PB管", "塩ビ管", "排水管", "床暖房管"};

struct TimeAxis {
  qint32 tick, step;
  const char* unit;
};

TimeAxis AxisFor(qint32 span) {
  if (span < 3600) return {300, 5, "分"};
  if (span < 18000) return {1800, 30, "分"};
  if (span < 43200) return {3600, 1, "時間"};
  if (span < 86400) return {7200, 2, "時間"};
  return {14400, 4, "時間"};
}

qint32 ClampY(qint32 y) {
  if (y < kTop) return kClampAbove;
  if (y > kBottom) return kClampBelow;
  return y;
}

// One redraw: the surface calls with the drawing offset added, and the
// coordinate mappings of the loaded record.
class Redraw {
public:
  Redraw(ViewState& state, MainView& view, GraphSurface& surface)
      : s_(state), r_(state.Record), v_(view), g_(surface) {}

  void Run();

private:
  // Offset plus a constant: 16-bit, as the drawing offset is.
  float X(int constant) const { return Add16(s_.DrawOffsetX, constant); }
  float Y(int constant) const { return Add16(s_.DrawOffsetY, constant); }
  float Xv(qint32 value) const { return Add32(s_.DrawOffsetX, value); }
  float Yv(qint32 value) const { return Add32(s_.DrawOffsetY, value); }

  void PrintAt(float x, float y, const QString& text) {
    g_.SetCurrentX(x);
    g_.SetCurrentY(y);
    g_.Print(text);
  }
  void SetLabel(int index, const QString& text) { v_.SetLabel4Caption(index, text); }
  // The differential of a pressure readout against line A's.
  QString Differential(int index) const {
    return DifferentialText(LabelValue(v_, index) - LabelValue(v_, readout::Pressure[kA]));
  }

  qint32 SampleX(qint32 i) const {
    return ToInteger32(Divide(r_.IntervalSeconds, span_) * double(Mul32(i, kPlotWidth)) + kLeft);
  }
  qint32 PressureY(qint32 p) const { return ClampY(ToInteger32(kBottom - p / fullScale_ * 7000.0)); }
  qint32 DetailY(qint32 p) const {
    return ClampY(ToInteger32(3700.0 - double(Add32(p, -qint64(r_.APressurePa))) / 1000000.0 * 700000.0));
  }

  void DrawScales();
  void DrawFrame();
  void WriteTypedHeaderReadouts();
  void WriteJudgement();
  void DrawTimeAxis();
  void WalkSamples();
  void DrawDetailSegment(qint32 x, qint32 detailY);
  void DrawBundle(qint32 x1, qint32 y1, qint32 x2, qint32 y2);
  void DrawCursor(const CursorLine& line, qint32 x);
  void DrawEndLines();

  ViewState& s_;
  TestRecord& r_;
  MainView& v_;
  GraphSurface& g_;
  double fullScale_ = 1000000.0;
  bool details_ = false;
  qint32 span_ = 1;

  qint32 prevX_ = kLeft, prevDetailY_ = 0, dashX_ = 0;
  bool dashOn_ = false;
};

void Redraw::Run() {
  g_.Cls();
  DrawScales();
  PrintAt(X(100), Y(7100), QStringLiteral("0"));
  DrawFrame();

  r_.FailFlag = ReadH2(r_.RecordText, kFailFlagPosition);

  SetLabel(readout::Number, InspectionNumberCaption(r_));
  SetLabel(readout::Date, DateCaption(r_));
  for (int line = 0; line < 4; ++line)
    for (int i : {readout::Pressure[line], readout::Time[line], readout::Differential[line]})
      SetLabel(i, QString());

  const qint32 minutes = r_.Typed() ? r_.TestMinutes : r_.MeasureMinutes;
  span_ = Mul32(minutes, 60);
  if (span_ == 0) span_ = 1;
  if (r_.Typed()) WriteTypedHeaderReadouts();
  SetLabel(readout::Duration, DurationText(minutes));

  WriteJudgement();
  DrawTimeAxis();
  WalkSamples();
  SetLabel(readout::Differential[kD], Differential(readout::Pressure[kD]));
  if (r_.Typed()) DrawEndLines();
  g_.SetVisible(true);
}

void Redraw::DrawScales() {
  const bool oneMpa = v_.Scale1MPaSelected();
  fullScale_ = oneMpa ? 1000000.0 : 2000000.0;
  const char* const* left = oneMpa ? kLeftLabels1MPa : kLeftLabels2MPa;
  for (int row = 0; row < 10; ++row) PrintAt(X(100), Y(100 + row * kGridStep), QString::fromUtf8(left[row]));

  details_ = v_.DetailsValue() == 1;
  if (details_)
    for (int row = 0; row < 10; ++row)
      PrintAt(X(14550), Y(100 + row * kGridStep), QString::fromUtf8(kRightLabels[row]));
}

void Redraw::DrawFrame() {
  g_.SetDrawWidth(1);
  g_.Line(X(kLeft), Y(kTop), X(kLeft), Y(kBottom));
  g_.Line(X(kRight), Y(kTop), X(kRight), Y(kBottom));
  g_.Line(X(kLeft), Y(kTop), X(kRight), Y(kTop));
  g_.SetDrawStyle(2);
  for (int y = kTop + kGridStep; y < kBottom; y += kGridStep) g_.Line(X(kLeft), Y(y), X(kRight), Y(y));
  g_.SetDrawStyle(0);
  g_.Line(X(kLeft), Y(kBottom), X(kRight), Y(kBottom));
}

void Redraw::WriteTypedHeaderReadouts() {
  SetLabel(readout::Pressure[kB], PressureText(r_.BPressurePa));
  SetLabel(readout::Time[kB], TimeText(r_.EndSeconds));
  SetLabel(readout::Pressure[kA], PressureText(r_.APressurePa));
  SetLabel(readout::Time[kA], TimeText(s_.CursorATime));
  SetLabel(readout::Differential[kA], DifferentialText(0));
  SetLabel(readout::Differential[kB], Differential(readout::Pressure[kB]));
}

void Redraw::WriteJudgement() {
  const bool named = r_.PipeType >= 1 && r_.PipeType <= 4;
  SetLabel(readout::PipeType, named ? QString::fromUtf8(kPipeNames[r_.PipeType - 1]) : QString());
  SetLabel(readout::Verdict,
           r_.Typed() ? (r_.FailFlag == 0 ? QStringLiteral("合格") : QStringLiteral("不合格")) : QString());
  if (r_.Typed()) {
    SetLabel(readout::TestPressure, TestPressureText(r_.TestPressureKpa));
    SetLabel(readout::Criterion, CriterionText(r_.AllowedDropPa));
  } else {
    SetLabel(readout::TestPressure, TestPressureText(r_.SetPressureKpa));
    SetLabel(readout::Criterion, QString());
  }
}

void Redraw::DrawTimeAxis() { ptlog::DrawTimeAxis(g_, span_, s_.DrawOffsetX, s_.DrawOffsetY); }

void Redraw::WalkSamples() {
  const QString& text = r_.RecordText;
  const qint32 first = ReadSample(text, 0);
  qint32 prevY = PressureY(first);
  prevDetailY_ = DetailY(first);
  prevX_ = kLeft;
  bool drawnA = false, drawnB = false, drawnD = false;

  for (qint32 i = 0; i < r_.SampleCount; ++i) {
    // A text cut short holds no pressure for the samples past its end.
    if (!SampleInText(text, i)) break;
    const qint32 p = ReadSample(text, i);
    const qint32 t = Mul32(i, r_.IntervalSeconds);
    const qint32 x = SampleX(i);
    const qint32 y = PressureY(p);
    const qint32 detailY = DetailY(p);

    if (r_.Typed() && r_.FailFlag != 0 && !drawnB && t >= r_.EndSeconds) {
      DrawCursor(kLineB, x);
      drawnB = true;
    }
    if (!drawnA && t >= s_.CursorATime) {
      DrawCursor(kLineA, x);
      drawnA = true;
      if (!r_.Typed()) {
        SetLabel(readout::Pressure[kA], PressureText(p));
        SetLabel(readout::Time[kA], TimeText(t));
        SetLabel(readout::Differential[kA], DifferentialText(Add32(p, -qint64(r_.APressurePa)) / 1000.0));
      }
    }
    if (!drawnD && t >= s_.CursorDTime) {
      DrawCursor(kLineD, x);
      drawnD = true;
      SetLabel(readout::Pressure[kD], PressureText(p));
      SetLabel(readout::Time[kD], TimeText(t));
    }

    g_.SetDrawWidth(2);
    g_.Line(Xv(prevX_), Yv(prevY), Xv(x), Yv(y), kTraceBlue);
    g_.SetDrawWidth(1);
    if (v_.DetailsValue() == 1) DrawDetailSegment(x, detailY);
    g_.SetDrawStyle(0);

    prevX_ = x;
    prevY = y;
    prevDetailY_ = detailY;
  }
}

void Redraw::DrawDetailSegment(qint32 x, qint32 detailY) {
  g_.SetDrawStyle(2);
  g_.SetDrawWidth(1);
  const bool bothAbove = prevDetailY_ <= kClampAbove && detailY <= kClampAbove;
  const bool bothBelow = prevDetailY_ >= kClampBelow && detailY >= kClampBelow;
  if (bothAbove || bothBelow) return;
  if (std::abs(Add32(prevDetailY_, -qint64(detailY))) > 32) {
    DrawBundle(prevX_, prevDetailY_, x, detailY);
    return;
  }
  // Flat stretches come out as dashes.
  if (std::abs(Add32(x, -qint64(dashX_))) > 30) {
    dashX_ = x;
    dashOn_ = !dashOn_;
    if (dashOn_) DrawBundle(prevX_, prevDetailY_, x, detailY);
  }
}

void Redraw::DrawBundle(qint32 x1, qint32 y1, qint32 x2, qint32 y2) {
  static constexpr int kShifts[7][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}, {16, 0}, {0, 16}, {16, 16}};
  for (const auto& d : kShifts)
    g_.Line(Xv(Add32(x1, d[0])), Yv(Add32(y1, d[1])), Xv(Add32(x2, d[0])), Yv(Add32(y2, d[1])), kDetailRed);
}

void Redraw::DrawCursor(const CursorLine& line, qint32 x) {
  g_.Line(Xv(x), Y(kTop), Xv(x), Y(kBottom), line.colour);
  g_.SetFontSize(8);
  PrintAt(Xv(Add32(x, -100)), Y(line.nameY), QString::fromUtf8(line.name));
  g_.SetFontSize(11);
}

void Redraw::DrawEndLines() {
  const qint32 last = Add32(r_.SampleCount, -1);
  const qint32 te = Mul32(last, r_.IntervalSeconds);
  const qint32 xe = SampleX(last);
  if (r_.FailFlag == 0) {
    DrawCursor(kLineB, xe);
    SetLabel(readout::Pressure[kB], PressureText(r_.FinalPressurePa));
    SetLabel(readout::Time[kB], TimeText(te));
    SetLabel(readout::Differential[kB], Differential(readout::Pressure[kB]));
  }
  DrawCursor(kLineC, xe);
  SetLabel(readout::Pressure[kC], PressureText(r_.FinalPressurePa));
  SetLabel(readout::Time[kC], TimeText(te));
  SetLabel(readout::Differential[kC], Differential(readout::Pressure[kC]));
}

}  // namespace

void DrawTimeAxis(GraphSurface& surface, qint32 span, qint16 offsetX, qint16 offsetY) {
  const TimeAxis axis = AxisFor(span);
  const float top = Add16(offsetY, kTop), bottom = Add16(offsetY, kBottom), labelY = Add16(offsetY, 7300);
  qint32 nextTick = axis.tick;
  qint32 label = axis.step;
  for (qint32 x = 0; x <= kPlotWidth; ++x) {
    const qint32 t = ToInteger32(double(Mul32(x, span)) / kPlotWidth);
    if (t < nextTick) continue;
    const float lineX = Add32(offsetX, Add32(kLeft, x));
    surface.SetDrawWidth(1);
    surface.Line(lineX, top, lineX, bottom);
    surface.SetCurrentX(Add32(offsetX, Add32(400, x)));
    surface.SetCurrentY(labelY);
    surface.Print(QString::number(label) + QString::fromUtf8(axis.unit));
    label = Add32(label, axis.step);
    nextTick = Add32(nextTick, axis.tick);
  }
}

double LabelValue(const MainView& view, int label4Index) {
  return ReadNumber(CleanNumericText(view.Label4Caption(label4Index)));
}

void RedrawGraph(ViewState& state, MainView& view, GraphSurface& surface) {
  Redraw(state, view, surface).Run();
}

}  // namespace ptlog

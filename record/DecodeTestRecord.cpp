#include "record/DecodeTestRecord.h"

#include "platform/Arithmetic.h"
#include "platform/Rounding.h"
#include "record/ReadoutFormats.h"
#include "record/Readouts.h"
#include "record/RecordFile.h"

namespace ptlog {

namespace {

void ShowTypedLayout(MainView& view, bool typed) {
  for (int i : layout::TypedOnlyCaptions) view.SetLabel3Visible(i, typed);
  view.SetLabel4Visible(layout::TypedOnlyReadout, typed);
  view.SetLabel3Visible(layout::LineACaption, !typed);
  view.SetScrollVisible(layout::LineABar, !typed);
}

}  // namespace

void DecodeTestRecord(ViewState& state, MainView& view) {
  if (state.RecordPath.isEmpty()) return;
  const QString text = ReadRecordFileItem(state.RecordPath);
  state.Record = DecodeHeader(text);
  TestRecord& r = state.Record;

  view.SetLabel4Caption(readout::Number, InspectionNumberCaption(r));
  view.SetLabel4Caption(readout::Date, DateCaption(r));

  state.DrawOffsetX = 0;
  state.DrawOffsetY = 0;
  state.CursorATime = 0;
  view.SetScrollValue(0, 0);
  state.CursorATime = Mul32(r.CursorStartMinutes, 60);

  if (r.Typed()) {
    ShowTypedLayout(view, true);
    r.EndSeconds = ElapsedEndSeconds(r);
  } else {
    ShowTypedLayout(view, false);
    // Line A starts at the sample nearest to five minutes.
    view.SetScrollValue(0, ToInteger16(Divide(300.0, r.IntervalSeconds)));
  }

  if (!state.CursorDPlaced) {
    state.CursorDPlaced = true;
    state.CursorDTime = Mul32(Add32(r.SampleCount, -1), r.IntervalSeconds);
    view.SetScrollValue(1, Add32(r.SampleCount, -1));
  }

  view.RedrawGraph();
}

void CursorScrollChanged(ViewState& state, MainView& view, int index) {
  const TestRecord& r = state.Record;
  // Nothing loaded: the bar cannot stand at sample -1, so leave the line alone.
  if (state.RecordPath.isEmpty() || r.SampleCount <= 0) return;
  int value = view.ScrollValue(index);
  const qint32 last = Add32(r.SampleCount, -1);
  if (value > last) {
    view.SetScrollValue(index, last);
    value = view.ScrollValue(index);
  }
  const qint32 time = Mul32(value, r.IntervalSeconds);
  (index == 0 ? state.CursorATime : state.CursorDTime) = time;
  view.RedrawGraph();
}

}  // namespace ptlog

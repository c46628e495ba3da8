// Any text as a record line, with any display choice: decoding and the whole
// redraw must end normally or with a PlatformError, never crash.
#include "RecordingSurface.h"
#include "graph/HeadlessView.h"
#include "graph/RedrawGraph.h"
#include "platform/Errors.h"
#include "record/TestRecord.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t choices = data[0];
  const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  ptlog::ViewState state;
  ptlog::HeadlessView view(state, choices & 1, (choices >> 1) % 3);
  ptlog::RecordingSurface surface;
  state.Record = ptlog::DecodeHeader(text);
  try {
    if (state.Record.Typed()) state.Record.EndSeconds = ptlog::ElapsedEndSeconds(state.Record);
    state.CursorATime = state.Record.CursorStartMinutes * 60;
    state.CursorDTime = (state.Record.SampleCount - 1) * state.Record.IntervalSeconds;
    state.DrawOffsetX = (choices & 8) ? 120 : 0;
    state.DrawOffsetY = (choices & 8) ? 2520 : 0;
    ptlog::RedrawGraph(state, view, surface);
  } catch (const ptlog::PlatformError&) {
  }
  return 0;
}

#pragma once

#include "record/MainView.h"

namespace ptlog {

// Reads the file named by RecordPath, fills the record, sets the header
// readouts and lines A and D, prepares the typed or untyped layout and has
// the graph redrawn. An error ends it at the step that raised it.
void DecodeTestRecord(ViewState& state, MainView& view);

// A cursor scroll bar's change (0: line A, 1: line D): kept within the
// record's samples, the line's time set, the graph redrawn.
void CursorScrollChanged(ViewState& state, MainView& view, int index);

}  // namespace ptlog

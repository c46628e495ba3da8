#pragma once

#include "graph/GraphSurface.h"
#include "record/MainView.h"

namespace ptlog {

// The graph's box in the main window, in twips: the screen, the printed page,
// the report and the library's preview all draw it at this size.
inline constexpr int kGraphWidthTwips = 15015, kGraphHeightTwips = 8175;

// Clears the surface and draws the whole graph of the loaded record: frame,
// scales, time axis, traces, cursor lines, and every readout label. An
// overflow or a division fault stops it with a PlatformError; what was drawn
// so far stays.
void RedrawGraph(ViewState& state, MainView& view, GraphSurface& surface);

// The time axis for a graph span: a solid line and a label at each tick.
void DrawTimeAxis(GraphSurface& surface, qint32 span, qint16 offsetX, qint16 offsetY);

// The pressure a readout label shows, read back from its text.
double LabelValue(const MainView& view, int label4Index);

}  // namespace ptlog

#pragma once

#include <QtGlobal>

namespace ptlog {

inline constexpr int kTickIntervalMs = 500;

// The shared countdown of the logger link, stepped by the main window's timer.
struct TickClock {
  qint16 TickCount = 0;
  qint64 TicksSeen = 0;  // every tick since start, for pacing checks
  void Tick();
};

}  // namespace ptlog

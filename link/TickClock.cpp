#include "link/TickClock.h"

namespace ptlog {

void TickClock::Tick() {
  if (TickCount > 0) --TickCount;
}

}  // namespace ptlog

#include "link/TickClock.h"

namespace ptlog {

void TickClock::Tick() {
  ++TicksSeen;
  if (TickCount > 0) --TickCount;
}

}  // namespace ptlog

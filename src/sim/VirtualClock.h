// The tick counter of a shell that runs on a virtual clock: the headless shell always, the web page in its
// deterministic mode. Time passes only when told to, so a run is the same frame for frame.
#pragma once

namespace virtualClock {

void setTick(unsigned tick);
void advanceTick(unsigned milliseconds);

}  // namespace virtualClock

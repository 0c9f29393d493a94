// Tells whether a recalculation was the last thing to write the entry fields
// during one user action. Every Do_Calc paints lblYmeas's text colour (black,
// or red for a bad measurement) before anything else it shows; arming the
// probe parks a marker in that colour, keeping the real colour beside it, so
// a colour without the marker afterwards means a recalculation ran. A format
// switch (an option button's click handler) rewrites a field from its own
// text without recalculating, so it re-arms the probe.
#pragma once

#include "engine/calculator.h"

namespace orlavex::soak {

// Installs the probe's value-change hook: it runs the same click handlers as
// the window's own hook, then re-arms after an option button's handler.
void install_probe(Calculator& calc);

// Parks the marker; nothing the calculator does reads it.
void arm_probe(Calculator& calc);

// True when a recalculation ran since the probe was last armed. Puts the
// real colour back either way.
bool take_probe(Calculator& calc);

}  // namespace orlavex::soak

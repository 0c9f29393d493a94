// Which handler a user's action on a control runs. Bindings name controls
// by their id; an indexed menu array is bound once, at its first item, and
// its handler learns which item was chosen.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

enum class Event { Click, MouseUp };

using Handler = void (*)(Calculator&, Ctl control);

// The handler of EVENT on CONTROL, or nullptr.
Handler find_handler(Ctl control, Event event);

}  // namespace orlavex

// Which handler a user's action on a control runs, found by the control's
// name as the window raises its events (mnuRes_Click gets the item index).
#pragma once

#include "engine/calculator.h"

namespace orlavex {

enum class Event { Click, MouseUp };

using Handler = void (*)(Calculator&, int index);

// The handler of EVENT on CONTROL, or nullptr.
Handler find_handler(Ctl control, Event event);

}  // namespace orlavex

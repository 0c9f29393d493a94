// What must hold of the window after any user action. Each check returns the
// first broken rule in words, or an empty string.
#pragma once

#include "engine/calculator.h"

#include <string>

namespace orlavex::soak {

// No caption, text or tool tip shows "nan" or "inf".
std::string check_no_bad_numbers(const Calculator& calc);

// Exactly one item of the analyzer, noise source and resolution menus is
// checked, and the selection labels name the checked instrument.
std::string check_menus(const Calculator& calc);

// The uncertainty is finite and non-negative, or the "none" marker 999.
std::string check_uncertainty(const Calculator& calc);

// The window is compact or extended, as the manual frames are hidden or shown.
std::string check_height(const Calculator& calc);

// The focus is on an enabled control the user sees, or nowhere.
std::string check_focus(const Calculator& calc);

// Right after a recalculation: every entry field shows its state value as
// Update_text_boxes writes it (the level fields' "- - -" of an invalid set-up
// aside), and every value the user enters lies within its field's range.
std::string check_fields_after_recalculation(const Calculator& calc);

// All of the above; the field check only when RECALCULATED.
std::string check_window(const Calculator& calc, bool recalculated);

}  // namespace orlavex::soak

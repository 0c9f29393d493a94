// Setting up the calculator window for a plan through the window's own user
// actions (menu clicks, check boxes, field texts), so that a catalogue model
// applies exactly as it does when an engineer chooses it in the window.
// Each action returns an empty string when the window carried it out, else
// the plain reason why not.
#pragma once

#include "core/classic_session.h"
#include "engine/calculator.h"

#include <optional>
#include <string>
#include <string_view>

namespace orlavex {

// The window as it opens: start-up values, nothing chosen yet.
Calculator started_calculator();

// Picks a model from the analyzer or noise-source pop-up menu by its exact
// catalogue name, or "User".
std::string choose_analyzer(Calculator& calc, std::string_view name);
std::string choose_noise_source(Calculator& calc, std::string_view name);

// Ticks or clears "Int PA". For analyzers with two internal preamplifiers,
// OPTION (0 or 1) picks the one in use; without it the window's current
// choice stays.
std::string set_internal_preamp(Calculator& calc, bool on, std::optional<int> option = {});
std::string set_external_preamp(Calculator& calc, bool on);
std::string set_frequency_conversion(Calculator& calc, bool on);

// The match and analyzer-noise formats of the window's option buttons.
std::string set_match_form(Calculator& calc, core::MatchPort port, core::MatchForm form);
Ctl match_field(core::MatchPort port);
// The analyzer noise field holds a noise figure (true) or a noise level.
std::string set_analyzer_noise_as_nf(Calculator& calc, bool as_nf);

// Replaces the text of entry field FIELD as a paste does and recalculates,
// as leaving the field does. A field the window has locked (a value a
// catalogue model fixes) is refused.
std::string enter_text(Calculator& calc, Ctl field, std::string_view text);

}  // namespace orlavex

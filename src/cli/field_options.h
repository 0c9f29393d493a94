// The command line's names for the window's entry fields: one option per
// field (per field and format where an option button picks VSWR or return
// loss, noise figure or noise level).
#pragma once

#include "engine/state.h"
#include "form/control_id.h"

#include <span>
#include <string_view>

namespace orlavex::cli {

// What a catalogue model fixes: a field it fixes cannot be entered while a
// model (not "User") is chosen.
enum class FixedBy { nothing, analyzer, noise_source };

// Where an option belongs: the set-up (both commands), the prediction only
// (the values a manual evaluation derives), or the measured levels.
enum class Scope { setup, prediction, levels };

struct FieldOption {
    std::string_view name;  // "--dut-nf"
    std::string_view help;  // what it is and its unit
    Ctl field;
    double CalcState::*value;  // the state value the field feeds with this option
    Ctl format = Ctl::none;    // option button clicked before typing
    FixedBy fixed_by = FixedBy::nothing;
    Scope scope = Scope::setup;
};

// In the order the values are entered.
std::span<const FieldOption> field_options();

const FieldOption* find_field_option(std::string_view name);

}  // namespace orlavex::cli

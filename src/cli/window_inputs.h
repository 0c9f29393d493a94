// The user's inputs as the window takes them, and carrying them out on a
// started window model with the same clicks and keystrokes a user makes.
#pragma once

#include "cli/field_options.h"
#include "engine/calculator.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::cli {

struct FieldEntry {
    const FieldOption* option;
    std::string text;  // as given, typed into the field character by character
};

struct WindowInputs {
    std::vector<FieldEntry> entries;          // at most one per option
    std::optional<std::string> analyzer;      // catalogue name or "User"
    std::optional<std::string> noise_source;  // catalogue name or "User"
    bool int_preamp = false;
    std::optional<int> int_preamp_option;  // 0 or 1, for models with two preamps
    bool ext_preamp = false;
    bool freq_conv = false;
    bool no_second_stage = false;
    bool manual = false;  // evaluate the four measured levels

    const FieldEntry* entry(std::string_view option_name) const;
};

// Carries INPUTS out on CALC, a window model that has run Form_Load: the
// option menu, the check boxes, the catalogue menus, then every field
// (format button, focus, the characters, Enter). Returns the one-line reason
// when the window refuses something ("--dut-nf: ..."), else empty. CALC is
// then in the state the window would show.
std::string apply_inputs(Calculator& calc, const WindowInputs& inputs);

// The name the inputs leave selected ("User" unless a model was chosen), as
// the catalogue writes it.
std::string analyzer_name(const WindowInputs& inputs);
std::string noise_source_name(const WindowInputs& inputs);

}  // namespace orlavex::cli

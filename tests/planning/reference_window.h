// The window model driven the way an engineer drives it, as the reference a
// sweep's points are checked against: menu choices, then each value typed
// key by key into its field and committed with Enter.
#pragma once

#include "core/classic_session.h"
#include "engine/calculator.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orlavex::planning::testing {

struct Choices {
    std::string analyzer = "User";
    std::string noise_source = "User";
    bool int_preamp = false;
    std::optional<int> preamp_option;
    bool freq_conv = false;
    // Typed before the choices above (fields a catalogue model does not fix).
    std::vector<std::pair<Ctl, std::string>> typed;
};

// The base window of a sweep: start-up, the typed fields, then the choices.
Calculator base_window(const Choices& choices);
// The same user actions carried out on a typed set-up, without a window:
// the base a sweep takes.
core::ClassicSession base_session(const Choices& choices);

// Types TEXT into FIELD of CALC key by key (select all, characters, Enter).
void type_into(Calculator& calc, Ctl field, const std::string& text);

// Every classic figure the window shows, compared exactly.
void expect_same_figures(const ClassicFigures& sweep, const ClassicFigures& window,
                         const std::string& where);

}  // namespace orlavex::planning::testing

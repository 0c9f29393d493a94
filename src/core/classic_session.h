// The calculator's user actions carried out on a typed set-up, each leaving
// the set-up as the window leaves its fields: a value typed into a field
// (as the field holds it) and Enter, a check box or menu choice with the
// recalculation it starts, a format button converting its field's value.
// Front-ends bring the calculator to an engineer's set-up through these,
// without a window, and arrive at the values and figures the window shows.
#pragma once

#include "core/classic.h"
#include "form/control_id.h"

#include <optional>

namespace orlavex::core {

// The four matches whose format (VSWR or return loss) a button chooses.
enum class MatchPort : std::uint8_t { dut_input, dut_output, source, analyzer };

struct ClassicSession {
    ClassicSetup setup;
    // Whether the focus is in an entry field, which leaving recalculates.
    bool focus_in_field = true;
    // The last recalculation's result (its reflections convert a match
    // between its formats).
    ClassicResult last;
    // The set-up LAST was figured from: the figures are a function of the
    // set-up alone, and the window recalculates an unchanged set-up often
    // (Enter twice, a box ticked, a mode changed back).
    std::optional<ClassicSetup> last_figured;

    // As the calculator starts: the start-up values, recalculated.
    static ClassicSession started();

    // As a recalculation leaves the set-up: the choices as the core made
    // them, the values as their fields hold them, a catalogue model's values
    // in their fields.
    void recalculate();
    // A check box clicked: the focus leaves a field, the box recalculates.
    void tick(bool ClassicChoices::*box, bool on);
    // A model chosen from the pop-up menu (nullptr: "User").
    void choose_analyzer(const catalogue::AnalyzerModel* model);
    void choose_noise_source(const catalogue::NoiseSourceModel* model);
    // The internal preamplifier in use of an analyzer that offers two.
    void choose_preamp_option(int option);
    // VALUE, as its field holds it, typed into the field, then Enter.
    void enter(double ClassicValues::*field_value, double value);
    // VALUE, as its field holds it, pasted into the field and recalculated;
    // the focus stays where it was.
    void paste(double ClassicValues::*field_value, double value);
    // A format button clicked: the field's value is converted.
    void set_match_form(MatchPort port, MatchForm form);
    void set_analyzer_noise_as_nf(bool as_nf);
};

// Whether the chosen catalogue models fix (lock) FIELD's value.
bool fixed_by_models(const ClassicChoices& choices, Ctl field);

}  // namespace orlavex::core

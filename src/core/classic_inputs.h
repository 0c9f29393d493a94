// The first steps of the classic computation: the values the chosen
// catalogue models fix, and the range every value is held to.
#pragma once

#include "core/classic.h"
#include "form/field_ranges.h"

namespace orlavex::core {

// Applies the analyzer and the noise source chosen in RESULT.used: their
// match, noise and frequency limits, and the forms they fix (a catalogue
// analyzer gives a noise level and a VSWR; a model without an internal
// preamplifier, or "User", clears "Int PA"). The ENR stays as given: a
// front-end gives the model's nominal ENR when the model is chosen.
void apply_catalogues(ClassicResult& result);

// The range of each value for the forms chosen, with the frequency limits
// that apply; every value is held to its range.
void bound_values(ClassicResult& result);

// The limits a range's variable upper end can come from.
struct UpperLimits {
    double freq_max_ghz = 0;
    double analyzer_freq_max_ghz = 0;
    double return_loss_max_db = 0;
};

// The upper end of RANGE with LIMITS.
double range_upper_end(const FieldRange& range, const UpperLimits& limits);

// The upper end of RANGE with the limits RESULT applied.
double upper_end(const ClassicResult& result, const FieldRange& range);

// The form entry field FIELD holds its value in with CHOICES.
ValueForm field_form(const ClassicChoices& choices, Ctl field);

}  // namespace orlavex::core

// The set-up as the window computed with it: its values after rounding and
// bounding, the forms and boxes chosen, the catalogue names. A value kept
// apart from the window, so that results can be written at any later time.
#pragma once

#include "app/inputs/setup.h"
#include "app/json.h"
#include "core/classic.h"

#include <complex>
#include <string>

namespace orlavex::app {

struct UsedSetup {
    core::ClassicValues values;          // as the calculator used them
    std::string analyzer, noise_source;  // "User" or the catalogue's name
    bool manual = false;                 // four measured levels evaluated
    bool converting = false;
    bool int_preamp = false;
    std::optional<int> int_preamp_option;  // the one checked, where the set-up named one
    bool ext_preamp = false;
    bool dut_in_vswr = true, dut_out_vswr = true, source_vswr = true, analyzer_vswr = true;
    bool analyzer_noise_as_nf = true;
    bool second_stage = true;
};

// The set-up as RESULT used it; SETUP names the models and says whether it
// named a preamplifier option.
UsedSetup used_setup(const core::ClassicResult& result, const Setup& setup);

Json setup_json(const UsedSetup& used);

// The model's options into a result's "inputs", one key per row of
// model_inputs that a set-up holds (the Monte Carlo's trials and seed are
// the Monte Carlo's own).
void add_model_json(Json& inputs, const measure::ModelOptions& model);

// A reflection as [magnitude, degrees].
Json reflection_json(std::complex<double> gamma);

}  // namespace orlavex::app

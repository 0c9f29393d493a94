// The checks of a set-up file beyond each value's type: its format name and
// version, the bench with its embedded files, and the values against the
// window's own ranges and catalogues.
#pragma once

#include "app/inputs/bench_inputs.h"
#include "app/inputs/sweep_request.h"
#include "app/setup_file/setup_file_data.h"
#include "app/setup_file/setup_file_values.h"

namespace orlavex::app {

// The top level: an object of the known members, the format's name, a
// version this program reads.
void check_frame(const SetupFileValues& v, const Json& root);

// BENCH with the bench's files from DATA into R's set-up; the sweep's ENR
// table and S-parameters from DATA into R.
void load_bench(const SetupFileValues& v, const BenchInputs& bench, EmbeddedData data,
                SweepRequest& r);

// R's set-up taken as the calculator takes it: the values it would refuse
// or bound are refused, each by its key.
void check_as_calculator_takes(const SetupFileValues& v, const SweepRequest& r);

}  // namespace orlavex::app

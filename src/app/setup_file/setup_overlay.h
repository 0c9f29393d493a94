// A set-up file with a front-end's own inputs laid over it: what the user
// gave beside the file replaces the file's value, the rest is the file's.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/bench_inputs.h"
#include "app/inputs/sweep_request.h"

#include <set>
#include <string>
#include <string_view>

namespace orlavex::app {

// The inputs a user gave, by Python keyword ("dut_nf", "analyzer",
// "trials", "loss_in", "from", "mc", "enr_table", ...).
using GivenInputs = std::set<std::string, std::less<>>;

// FILE with what GIVEN names taken from COMMAND (its typed set-up and
// sweep) and from BENCH (its bench inputs as given). Giving one form of a
// field, a loss as a value or as a file, or one kind of measurement source
// drops the file's other one. Returns empty, or the one-line reason the
// bench is refused; missing or bad files throw datafiles::FileError.
std::string overlay(SweepRequest& file, const SweepRequest& command, const BenchInputs& bench,
                    const GivenInputs& given, Naming naming);

// REQUEST with each field's value as the window took it (rounded to the
// field's characters, held to its range), as a command ran with it.
// Unchanged when the window refuses the set-up.
SweepRequest with_window_values(SweepRequest request);

}  // namespace orlavex::app

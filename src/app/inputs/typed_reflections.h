// The known reflections typed where no file gives them, checked before a
// point or a sweep takes them: each value in its range, the values that
// belong together given together, and none that a file gives too.
#pragma once

#include "app/inputs/apply_options.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/setup.h"
#include "planning/bench_setup.h"

#include <optional>
#include <string>

namespace orlavex::app {

// The files that would give the same values: the table of the source at
// the DUT input (the measurement source's) and the DUT's S-parameters.
struct ReflectionSources {
    const datafiles::EnrTable* source_table = nullptr;
    const datafiles::Touchstone* dut_file = nullptr;
};

// Those files among a sweep's: the measurement source's table where a
// separate source is on the BENCH, else ENR_TABLE; and DUT.
ReflectionSources reflection_sources(const planning::BenchInput& bench,
                                     const std::optional<datafiles::EnrTable>& enr_table,
                                     const std::optional<datafiles::Touchstone>& dut);

// Empty, or the one line that says which typed value cannot be taken and
// why, naming the inputs as NAMING does.
std::string typed_reflections_problem(const measure::ModelOptions& m,
                                      const ReflectionSources& files, Naming naming);

// Real readings are evaluated with the reflections as the mismatch rows of
// their budget: empty, or the one line that refuses the known reflections
// (the choice or a typed value) the options ask for.
std::string known_reflections_refusal(const measure::ModelOptions& m, Naming naming);
// M with the reflections as the mismatch rows again: the choice at its
// default and no typed reflection.
void forget_known_reflections(measure::ModelOptions& m);

}  // namespace orlavex::app

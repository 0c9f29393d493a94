// An evaluation: four measured levels evaluated as the window's manual mode
// does (classic, with its error messages) and with the exact,
// cold-temperature corrected Y-factor formula; as a value, and its JSON.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/classic_apply.h"
#include "app/json.h"
#include "app/results/setup_echo.h"
#include "core/classic_figures.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/gum.h"
#include "measure/manual_evaluation.h"
#include "measure/setup.h"
#include "planning/bench_setup.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::app {

struct Evaluation {
    UsedSetup inputs;
    ClassicFigures classic;
    measure::ExactEvaluation exact;
    std::vector<std::string> notes;
    // The losses around the DUT and a separate measurement source, which
    // the exact evaluation compensates; the calculator's manual mode knows
    // none of them, so its classic figures are then withheld.
    planning::BenchInput bench;
    measure::MeasurementSetup model;  // the model's set-up of the bench as used
    bool classic_withheld = false;
    // The GUM budget at the measured point: the DUT's noise figure and gain
    // and the analyzer's noise figure the levels give, with every Type B
    // row of the plan; single readings, so the planned jitter (noise
    // bandwidth and integration time) stands in for their scatter. None
    // where the levels give no valid result.
    std::optional<measure::Budget> budget;
};

// The budget at the point E's exact evaluation measured (see
// Evaluation::budget). Without second-stage correction there is no measured
// gain or analyzer noise figure: the set-up's stand in.
std::optional<measure::Budget> measured_budget(const Evaluation& e, const Setup& setup);

// Why SETUP's levels cannot be evaluated (the calibration levels missing,
// or given without second-stage correction); empty when they can.
std::string levels_refusal(const Setup& setup, Naming naming);

// levels_refusal, or why SETUP's model asks what an evaluation does not
// do (known reflections); empty when its levels can be evaluated.
std::string evaluation_refusal(const Setup& setup, Naming naming);

// The data files an evaluation takes at the levels' frequency; null: none.
struct EvaluationFiles {
    const datafiles::EnrTable* enr_table = nullptr;
    // Its S11 and S22 give the DUT's matches; the levels measure the rest.
    const datafiles::Touchstone* dut_sparameters = nullptr;
};

struct EvaluationOutcome {
    std::optional<Evaluation> evaluation;
    std::string refused;
};
// The levels of SETUP (its `manual` set) taken as the calculator takes them
// and evaluated, with its bench and its model inputs. FILES' values at the
// measurement's frequency, as a sweep takes them, replace SETUP's: the
// calibration source's ENR and uncertainty from its ENR table, the DUT's
// matches from its S-parameters. WITH_BUDGET false leaves the budget out,
// for a caller that evaluates the levels again.
EvaluationOutcome run_evaluation(const Setup& setup, const ApplyOptions& options,
                                 const EvaluationFiles& files = {}, bool with_budget = true);

// TAKEN (SETUP, its `manual` set and evaluation_refusal passed, resolved)
// evaluated as run_evaluation evaluates it, with FILES' values at the
// frequency the calculator took.
EvaluationOutcome evaluate_taken(Resolved taken, const Setup& setup, const EvaluationFiles& files,
                                 bool with_budget = true);

// {"inputs", "classic", "exact"} and "notes" when there are any.
Json evaluation_json(const Evaluation& evaluation);

}  // namespace orlavex::app

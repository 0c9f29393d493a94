// A point: the window's prediction for a set-up, its GUM budget and Monte
// Carlo, as a value, and its JSON.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/json.h"
#include "app/results/setup_echo.h"
#include "core/classic.h"
#include "core/classic_figures.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "measure/setup.h"
#include "measure/simulation.h"
#include "planning/advice.h"
#include "planning/bench_setup.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::app {

struct Point {
    UsedSetup inputs;
    ClassicFigures classic;
    measure::MeasurementSetup setup;
    measure::Budget budget;
    std::optional<measure::MonteCarloResult> monte_carlo;  // none when not asked for
    std::vector<std::string> notes;  // values the window rounded or bounded, files held
    planning::BenchInput bench;      // as given (files by name in the inputs)
    std::string bench_note;          // what the classic figures stand for with a bench
    // With an image response the calculator's figures do not apply.
    bool classic_withheld = false;
    // A converting DUT's LO and image frequencies, where it has them; why its
    // image band cannot be used, if it cannot.
    std::optional<measure::FrequencyPlan> frequency_plan;
    std::string image_problem;
    // The four readings the model predicts for the bench and sources given;
    // none for a set-up the calculator rejects.
    std::optional<measure::ReadingLevels> readings;
    // With known reflections: the source-match bias e0 the budget and the
    // Monte Carlo are taken around, dB.
    std::optional<double> source_match_bias_db;
    // Where that bias is larger than a third of U: the pads and the isolator
    // that cure it, ranked.
    std::optional<planning::MatchAdvice> match_advice;
};

// The data files a point reads the known reflections from at its
// frequency (its fields stay as typed); null: not given.
struct PointFiles {
    const datafiles::EnrTable* enr_table = nullptr;
    const datafiles::Touchstone* dut_sparameters = nullptr;
};

// The model's results for the classic result R of SETUP; none (an invalid
// budget, every trial invalid) where the calculator finds the set-up
// invalid. MONTE_CARLO: run it (SETUP.model's trials and seed).
// PROGRESS, if given, counts the Monte Carlo's trials and can stop it
// (measure::MonteCarloCancelled).
Point compute_point(const core::ClassicResult& r, const Setup& setup, bool monte_carlo,
                    measure::MonteCarloProgress* progress = nullptr, const PointFiles& files = {});

// The whole point: the point, or why the set-up was refused.
struct PointOutcome {
    std::optional<Point> point;
    std::string refused;
};
PointOutcome run_point(const Setup& setup, const ApplyOptions& options, bool monte_carlo,
                       measure::MonteCarloProgress* progress = nullptr,
                       const PointFiles& files = {});

Json classic_json(const ClassicFigures& figures);
Json gum_json(const measure::Budget& budget);
Json monte_carlo_json(const measure::MonteCarloResult& result);
Json match_advice_json(const planning::MatchAdvice& advice);
// {"inputs", "classic", "gum", "monte_carlo"}, "source_match_bias_db" with
// known reflections and "notes" when there are any.
Json point_json(const Point& point);

// The window's guideline captions, in its order 1, 2, 3.
inline constexpr std::string_view guideline_names[3] = {"(NF+G)dut - NFsa", "ENR - NFdut",
                                                        "ENR - NFsa"};

}  // namespace orlavex::app

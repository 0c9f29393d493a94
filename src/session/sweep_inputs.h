// The planner's sweep and model inputs beside the set-up: the swept input
// and its range, the Monte Carlo and the jitter of the readings. The
// planner's limits on them are constant data here, so that the window's
// controls and a set-up file opened without a window refuse the same values.
#pragma once

#include "app/inputs/sweep_request.h"
#include "planning/sweep.h"

#include <cstddef>
#include <string>

namespace orlavex::session {

struct SweepInputs {
    planning::SweptInput over = planning::SweptInput::frequency;
    double from = 0.1, to = 18;
    std::size_t points = 201;
    bool log = false;
    planning::MatchForm match_form = planning::MatchForm::vswr;
    bool fixed_lo = false;  // a converting DUT: the LO stays, else the IF
    double noise_bw_hz = 0, tau_s = 0;
    bool monte_carlo = false;
    std::size_t trials = 20000;  // a point's, while monte_carlo
};

// A number the planner holds: within [lo, hi] and with no more than
// `decimals` places.
struct NumberLimit {
    double lo, hi;
    int decimals;
};

inline constexpr NumberLimit range_limit{-1e4, 1e5, 4};  // from, to
inline constexpr NumberLimit noise_bw_limit{0, 1e9, 0};  // Hz
inline constexpr NumberLimit tau_limit{0, 1000, 4};      // s
inline constexpr std::size_t fewest_points = 2, most_points = 5001;
inline constexpr std::size_t fewest_trials = 100, most_trials = 1'000'000;

// The range a newly chosen swept input starts with; a match swept as a
// return loss runs from a good match (30 dB) down to 10 dB.
struct Range {
    double from, to;
};
Range default_range(planning::SweptInput over, planning::MatchForm form);

// Whether the planner sweeps OVER at all.
bool sweepable(planning::SweptInput over);

// Why the planner cannot hold REQUEST's sweep and model inputs as they are
// (bounded or rounded); empty when it can.
std::string out_of_reach(const app::SweepRequest& request);

}  // namespace orlavex::session

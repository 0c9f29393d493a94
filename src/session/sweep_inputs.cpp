#include "session/sweep_inputs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <span>

namespace orlavex::session {

namespace {

struct DefaultRange {
    planning::SweptInput input;
    double from, to;
};

constexpr std::array default_ranges = {
    DefaultRange{planning::SweptInput::frequency, 0.1, 18},
    DefaultRange{planning::SweptInput::dut_gain, 0, 40},
    DefaultRange{planning::SweptInput::dut_nf, 0.5, 15},
    DefaultRange{planning::SweptInput::enr, 5, 25},
    DefaultRange{planning::SweptInput::analyzer_nf, 5, 30},
    DefaultRange{planning::SweptInput::toff, 0, 50},
    DefaultRange{planning::SweptInput::dut_in_match, 1, 2},
    DefaultRange{planning::SweptInput::dut_out_match, 1, 2},
    DefaultRange{planning::SweptInput::source_match, 1, 1.5},
    DefaultRange{planning::SweptInput::analyzer_match, 1, 2},
    DefaultRange{planning::SweptInput::loss_in, 0, 3},
    DefaultRange{planning::SweptInput::loss_out, 0, 3},
    DefaultRange{planning::SweptInput::image_ratio, -30, 0},
};

constexpr Range return_loss_range{30, 10};

// Whether LIMIT holds VALUE as it is, neither bounded nor rounded.
bool holds(const NumberLimit& limit, double value) {
    const double scale = std::pow(10.0, limit.decimals);
    return value >= limit.lo && value <= limit.hi && std::round(value * scale) / scale == value;
}

std::string number_text(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.17g", value);
    return text.data();
}

bool listed(std::span<const planning::SweptInputInfo> inputs, planning::SweptInput over) {
    return std::ranges::find(inputs, over, &planning::SweptInputInfo::input) != inputs.end();
}

}  // namespace

Range default_range(planning::SweptInput over, planning::MatchForm form) {
    if (planning::info(over).port && form == planning::MatchForm::return_loss)
        return return_loss_range;
    const auto* range = std::ranges::find(default_ranges, over, &DefaultRange::input);
    return range == default_ranges.end() ? Range{0, 1} : Range{range->from, range->to};
}

bool sweepable(planning::SweptInput over) {
    return listed(planning::swept_inputs(), over) || listed(planning::model_swept_inputs(), over);
}

std::string out_of_reach(const app::SweepRequest& r) {
    if (!sweepable(r.over))
        return "the planner cannot sweep " + std::string(planning::info(r.over).name);
    if (r.points < fewest_points || r.points > most_points)
        return "the planner sweeps " + std::to_string(fewest_points) + " to " +
               std::to_string(most_points) + " points, not " + std::to_string(r.points);
    struct Held {
        const NumberLimit& limit;
        double value;
        const char* what;
    };
    for (const Held& held :
         {Held{range_limit, r.from, "a sweep from"}, Held{range_limit, r.to, "a sweep to"},
          Held{noise_bw_limit, r.setup.model.noise_bw_hz, "a noise bandwidth of"},
          Held{tau_limit, r.setup.model.tau_s, "an integration time of"}})
        if (!holds(held.limit, held.value))
            return std::string("the planner cannot hold ") + held.what + " " +
                   number_text(held.value);
    if (r.monte_carlo &&
        (r.setup.model.trials < fewest_trials || r.setup.model.trials > most_trials))
        return "the planner runs " + std::to_string(fewest_trials) + " to " +
               std::to_string(most_trials) + " Monte Carlo trials a point, not " +
               std::to_string(r.setup.model.trials);
    return {};
}

}  // namespace orlavex::session

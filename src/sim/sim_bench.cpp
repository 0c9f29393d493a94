#include "sim/sim_bench.h"

#include "app/inputs/measure_frequencies.h"
#include "app/setup_file/setup_file.h"
#include "datafiles/file_error.h"
#include "instruments/profile.h"
#include "planning/sweep.h"

#include <stdexcept>

namespace orlavex::sim {

SimBench::SimBench(const std::filesystem::path& setup_file) {
    try {
        request_ = app::read_setup_file(setup_file);
    } catch (const app::SetupFileError& e) {
        throw std::runtime_error(e.what());
    }
    if (request_.setup.freq_conv) {
        measure::FixedLo lo;
        if (const std::string why = app::setup_lo(request_.setup, lo); !why.empty())
            throw std::runtime_error(why);
        lo_ = lo;
        // Each point at its own output frequency, as the analyzer reads it.
        request_.fixed_lo = request_.fixed_if = false;
    }
    request_.over = planning::SweptInput::frequency;
    request_.points = 1;
    request_.monte_carlo = false;
}

std::optional<measure::ReadingLevels> SimBench::levels(double freq_hz, std::string& why) {
    if (const auto known = known_.find(freq_hz); known != known_.end()) return known->second;
    app::SweepRequest at = request_;
    at.from = at.to = freq_hz / 1e9;
    if (lo_) {
        const std::optional<double> input = measure::input_of(*lo_, freq_hz / 1e9);
        if (!input) {
            why = "no input reaches the output at " + instruments::scpi_text(freq_hz) +
                  " Hz with the LO at " + instruments::scpi_text(lo_->lo_ghz * 1e9) + " Hz";
            return std::nullopt;
        }
        at.from = at.to = *input;
        at.setup.field("freq2") = freq_hz / 1e9;
    }
    try {
        std::vector<std::string> notes;
        planning::Sweep sweep = app::make_sweep(at, {}, notes);
        sweep.threads = 1;
        const planning::SweepResult result = planning::run_sweep(sweep);
        const planning::SweepPoint& p = result.points.front();
        if (!p.in_range) {
            why = p.note;
            return std::nullopt;
        }
        const measure::ReadingLevels levels =
            measure::reading_levels(measure::simulate_readings(p.setup, {}));
        known_.emplace(freq_hz, levels);
        return levels;
    } catch (const std::exception& e) {
        why = e.what();
        return std::nullopt;
    }
}

}  // namespace orlavex::sim

#include "app/inputs/sweep_request.h"

#include "app/inputs/classic_apply.h"
#include "app/inputs/typed_reflections.h"
#include "app/inputs/work_limits.h"
#include "planning/image_setup.h"

#include <cmath>

namespace orlavex::app {

std::optional<datafiles::EnrTable> request_enr_table(const SweepRequest& r) {
    if (!r.enr_table_path.empty()) return datafiles::read_enr_file(r.enr_table_path);
    return r.enr_table;
}

std::optional<datafiles::Touchstone> request_dut_sparameters(const SweepRequest& r) {
    if (!r.dut_s2p_path.empty()) return datafiles::read_touchstone(r.dut_s2p_path);
    return r.dut_sparameters;
}

planning::Sweep make_sweep(const SweepRequest& r, const ApplyOptions& options,
                           std::vector<std::string>& notes) {
    for (const std::string& why :
         {readings_refusal(r.setup.model, options.naming),
          sweep_work_refusal(r.points, r.setup.model.trials, r.monte_carlo, options.naming)}) {
        if (!why.empty()) throw planning::SweepError(why);
    }
    if ((planning::image_response(r.setup.model) || r.over == planning::SweptInput::image_ratio) &&
        !r.setup.freq_conv)
        throw planning::SweepError("an image response needs a frequency-converting DUT");
    planning::Sweep sweep;
    // Files first: a bad one stops everything before any output.
    sweep.enr_table = request_enr_table(r);
    sweep.dut_sparameters = request_dut_sparameters(r);

    const bool enr_table_given = sweep.enr_table.has_value() ||
                                 (r.setup.bench.meas_source && r.setup.bench.meas_source->table);
    if (enr_table_given && (r.setup.model.image_enr_db || r.setup.model.image_enr_unc_db)) {
        throw planning::SweepError(
            "the ENR table gives the ENR at the image frequency; it cannot be typed as well");
    }
    const ReflectionSources sources =
        reflection_sources(r.setup.bench, sweep.enr_table, sweep.dut_sparameters);
    if (std::string why = typed_reflections_problem(r.setup.model, sources, options.naming);
        !why.empty())
        throw planning::SweepError(why);
    Resolved taken = resolve(r.setup, options);
    if (!taken.applied.refused.empty()) throw planning::SweepError(taken.applied.refused);
    notes = std::move(taken.applied.notes);
    sweep.base = std::move(taken.session);

    sweep.over = r.over;
    sweep.from = r.from;
    sweep.to = r.to;
    sweep.points = r.points;
    sweep.spacing = r.log ? planning::Spacing::logarithmic : planning::Spacing::linear;
    sweep.match_form = r.match_form;
    if (r.setup.freq_conv) {
        const core::ClassicValues& v = taken.result.used.values;
        sweep.conversion = planning::conversion_kept(r.fixed_lo, v.freq_ghz, v.freq2_ghz);
    }
    sweep.bench = r.setup.bench;
    sweep.model = r.setup.model;
    sweep.monte_carlo.enabled = r.monte_carlo;
    sweep.monte_carlo.trials = r.setup.model.trials;
    sweep.monte_carlo.seed = r.setup.model.seed;
    return sweep;
}

}  // namespace orlavex::app

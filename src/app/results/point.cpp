#include "app/results/point.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/classic_apply.h"
#include "app/inputs/typed_reflections.h"
#include "app/inputs/work_limits.h"
#include "app/results/budget_units.h"
#include "core/source_band.h"
#include "measure/known_reflections.h"
#include "planning/bench_classic.h"
#include "planning/image_setup.h"
#include "planning/known_reflections_point.h"

namespace orlavex::app {

namespace {

measure::MonteCarloResult no_valid_trial(const measure::MonteCarloOptions& mc) {
    measure::MonteCarloResult r;
    r.trials = mc.trials;
    r.seed = mc.seed;
    r.invalid = mc.trials;
    for (double* x : {&r.mean_db, &r.std_db, &r.interval_lo_db, &r.interval_hi_db,
                      &r.shortest_lo_db, &r.shortest_hi_db}) {
        *x = not_computed;
    }
    if (mc.keep_samples) r.samples.assign(mc.trials, not_computed);
    return r;
}

// A catalogue measurement source asked to measure where it cannot (above
// its upper frequency, below a waveguide band) at the frequency the calculator
// took: noted as a value the window bounds is noted, refused when strict.
Applied outside_measurement_source(const core::ClassicResult& r, const Setup& setup,
                                   const ApplyOptions& options) {
    if (!setup.bench.meas_source) return {};
    std::string why =
        core::outside_measurement_source(setup.bench.meas_source->model, r.used.values.freq_ghz);
    if (why.empty()) return {};
    const BenchInputRow& row = *find_bench_input("meas_noise_source");
    const bool flag = options.naming == Naming::flag;
    std::string note = std::string(flag ? row.flag : row.name) + ": " + why;
    if (options.strict) return {note + "; refused with " + (flag ? "--strict" : "strict=True"), {}};
    return {{}, {std::move(note)}};
}

// The reflections FILES and the typed values know at the point's frequencies,
// when the set-up asks for them; why they cannot be used goes to the notes.
void add_known_reflections(Point& p, const Setup& setup, const PointFiles& files, double f_in,
                           double f_out) {
    if (setup.model.reflections != measure::ReflectionModel::known || p.setup.image.response)
        return;
    const std::optional<planning::MeasurementSourceInput>& separate = setup.bench.meas_source;
    std::optional<planning::TwoPortPhases> dut, loss_in;
    if (files.dut_sparameters != nullptr) dut.emplace(*files.dut_sparameters);
    if (setup.bench.loss_in.sparameters) loss_in.emplace(*setup.bench.loss_in.sparameters);
    planning::ReflectionFiles known;
    known.source = separate ? (separate->table ? &*separate->table : nullptr) : files.enr_table;
    known.calibration = separate ? nullptr : files.enr_table;
    known.dut = dut ? &*dut : nullptr;
    known.loss_in = loss_in ? &*loss_in : nullptr;
    known.typed = &setup.model;
    known.dut_gain_db = p.setup.dut_gain_db;
    p.setup.reflections = planning::known_reflections_at(known, f_in, f_out);
    if (!p.setup.reflections) {
        p.notes.emplace_back(
            "known reflections need the source's on and off reflections (typed, or an ENR "
            "table's) and the DUT's S11 (typed, or its .s2p): this point takes the matches as "
            "magnitudes of unknown phase");
    } else if (std::string why = measure::reflections_problem(p.setup); !why.empty()) {
        p.setup.reflections.reset();
        p.notes.push_back("known reflections left out: " + why);
    }
}

}  // namespace

Point compute_point(const core::ClassicResult& r, const Setup& setup, bool monte_carlo,
                    measure::MonteCarloProgress* progress, const PointFiles& files) {
    Point p;
    p.inputs = used_setup(r, setup);
    p.classic = r.figures;
    if (!setup.second_stage) {
        // Without second-stage correction there is no calibration: the
        // window hides its levels, and nobody predicted them.
        p.classic.cal_on_dbm = p.classic.cal_off_dbm = not_computed;
    }
    p.setup = core::model_setup(r);
    p.setup.model = setup.model;
    const core::ClassicValues& used = r.used.values;
    const double f_out = r.used.choices.freq_conv ? used.freq2_ghz : used.freq_ghz;
    planning::add_bench(setup.bench, used.freq_ghz, f_out, p.setup);
    p.notes = planning::bench_held_notes(setup.bench, used.freq_ghz, f_out);
    p.bench = setup.bench;
    planning::ImagePoint image =
        planning::add_image(setup.bench, nullptr, used.freq_ghz, f_out, p.setup,
                            core::noise_source_name(r.used.choices));
    p.frequency_plan = image.plan;
    p.notes.insert(p.notes.end(), image.notes.begin(), image.notes.end());
    p.image_problem = std::move(image.problem);
    if (!p.image_problem.empty()) return p;
    if (r.figures.valid) add_known_reflections(p, setup, files, used.freq_ghz, f_out);
    measure::MonteCarloOptions mc;
    mc.trials = setup.model.trials;
    mc.seed = setup.model.seed;
    mc.keep_samples = setup.model.keep_samples;
    mc.progress = progress;
    if (!r.figures.valid) {
        // A set-up the window rejects (a DUT whose noise figure is below its
        // loss) has no measurement to simulate: no budget, no valid trial.
        if (monte_carlo) p.monte_carlo = no_valid_trial(mc);
        return p;
    }
    p.budget = measure::gum_budget(p.setup);
    p.readings = measure::reading_levels(measure::simulate_readings(p.setup, {}));
    if (monte_carlo) p.monte_carlo = measure::monte_carlo(p.setup, mc);
    if (p.setup.reflections) {
        // With the correction the budget's offset is the bias already.
        p.source_match_bias_db = p.setup.second_stage && p.budget.valid
                                     ? p.budget.offset_db
                                     : measure::source_match_bias_db(p.setup);
        p.match_advice = planning::match_advice(p.setup);
    }
    if (p.setup.image.response) {
        p.classic = ClassicFigures{};
        p.classic_withheld = true;
        p.bench_note = "no classic figures: the calculator knows no image band";
    } else if (planning::bench_changes_classic(p.setup)) {
        planning::BenchClassic equivalent =
            planning::bench_classic(r.used, r.figures, p.setup, p.setup.loss_out.loss_db != 0);
        p.classic = equivalent.figures.value_or(ClassicFigures{});
        p.bench_note = std::move(equivalent.note);
    }
    return p;
}

PointOutcome run_point(const Setup& setup, const ApplyOptions& options, bool monte_carlo,
                       measure::MonteCarloProgress* progress, const PointFiles& files) {
    if (std::string why = readings_refusal(setup.model, options.naming); !why.empty()) {
        return {std::nullopt, std::move(why)};
    }
    const std::optional<planning::MeasurementSourceInput>& separate = setup.bench.meas_source;
    const ReflectionSources sources{
        separate ? (separate->table ? &*separate->table : nullptr) : files.enr_table,
        files.dut_sparameters};
    if (std::string why = typed_reflections_problem(setup.model, sources, options.naming);
        !why.empty())
        return {std::nullopt, std::move(why)};
    Resolved taken = resolve(setup, options);
    Applied& applied = taken.applied;
    if (!applied.refused.empty()) return {std::nullopt, std::move(applied.refused)};
    Applied source = outside_measurement_source(taken.result, setup, options);
    if (!source.refused.empty()) return {std::nullopt, std::move(source.refused)};
    applied.notes.insert(applied.notes.end(), source.notes.begin(), source.notes.end());
    Point p = compute_point(taken.result, setup, monte_carlo, progress, files);
    if (!p.image_problem.empty()) return {std::nullopt, std::move(p.image_problem)};
    p.notes.insert(p.notes.begin(), applied.notes.begin(), applied.notes.end());
    if (!p.bench_note.empty()) p.notes.push_back(p.bench_note);
    return {std::move(p), {}};
}

Json classic_json(const ClassicFigures& f) {
    // An invalid set-up shows no Y factors, levels or guidelines.
    const auto shown = [&](double x) { return f.valid ? number_or_null(x) : Json(nullptr); };
    Json j;
    j["enr_eff_db"] = f.enr_eff_db;
    j["ycal_db"] = shown(f.ycal_db);
    j["ymeas_db"] = shown(f.ymeas_db);
    j["nf_sys_db"] = shown(f.nf_sys_db);
    j["nf_sa_net_db"] = shown(f.nf_sa_net_db);
    j["levels_dbm"] = {{"cal_on", shown(f.cal_on_dbm)},
                       {"cal_off", shown(f.cal_off_dbm)},
                       {"meas_on", shown(f.meas_on_dbm)},
                       {"meas_off", shown(f.meas_off_dbm)}};
    Json guidelines = Json::array();
    for (int i = 0; i < 3; ++i) {
        guidelines.push_back({{"name", guideline_names[i]},
                              {"margin_db", shown(f.margin_db[i])},
                              {"lamp", lamp_name(f.lamp[i])}});
    }
    j["guidelines"] = std::move(guidelines);
    j["rss_db"] = number_or_null(f.rss_db);
    j["bias_db"] = f.rss_db ? number_or_null(f.bias_db) : Json(nullptr);
    j["valid"] = f.valid;
    return j;
}

Json gum_json(const measure::Budget& b) {
    Json j;
    j["valid"] = b.valid;
    j["u_db"] = b.valid ? number_or_null(b.u_c_db) : Json(nullptr);
    j["k"] = b.k;
    j["U_db"] = b.valid ? number_or_null(b.U_db) : Json(nullptr);
    j["offset_db"] = b.valid ? number_or_null(b.offset_db) : Json(nullptr);
    Json lines = Json::array();
    for (const measure::BudgetLine& line : b.lines) {
        lines.push_back({{"source", line.source},
                         {"u", line.u},
                         {"unit", budget_unit(line.source)},
                         {"c", number_or_null(line.c)},
                         {"u_i_db", number_or_null(line.u_i_db)},
                         {"share", number_or_null(line.share)}});
    }
    j["budget"] = std::move(lines);
    return j;
}

Json monte_carlo_json(const measure::MonteCarloResult& r) {
    Json j;
    j["trials"] = r.trials;
    j["seed"] = r.seed;
    j["mean_db"] = number_or_null(r.mean_db);
    j["std_db"] = number_or_null(r.std_db);
    j["interval_db"] = {number_or_null(r.interval_lo_db), number_or_null(r.interval_hi_db)};
    j["shortest_db"] = {number_or_null(r.shortest_lo_db), number_or_null(r.shortest_hi_db)};
    j["invalid"] = r.invalid;
    return j;
}

Json match_advice_json(const planning::MatchAdvice& a) {
    Json cures = Json::array();
    for (const planning::MatchCure& c : a.cures) {
        cures.push_back({{"cure", c.what},
                         {"loss_db", c.loss_db},
                         {"isolation_db", c.isolation_db},
                         {"bias_db", number_or_null(c.bias_db)},
                         {"U_db", number_or_null(c.U_db)},
                         {"added_U_db", number_or_null(c.added_U_db)},
                         {"total_db", number_or_null(c.total_db())}});
    }
    return {{"bias_db", a.bias_db}, {"U_db", a.U_db}, {"cures", std::move(cures)}};
}

Json point_json(const Point& p) {
    Json j;
    j["inputs"] = setup_json(p.inputs);
    add_model_json(j["inputs"], p.setup.model);
    if (p.frequency_plan) {
        j["inputs"]["lo_ghz"] = p.frequency_plan->lo_hz / 1e9;
        j["inputs"]["image_ghz"] = p.frequency_plan->image_hz / 1e9;
    }
    add_bench_json(j["inputs"], p.bench, p.setup);
    j["classic"] = p.classic_withheld ? Json(nullptr) : classic_json(p.classic);
    if (p.readings) {
        j["planned_readings_dbm"] = {{"cal_off", p.readings->cal_off_dbm},
                                     {"cal_on", p.readings->cal_on_dbm},
                                     {"meas_off", p.readings->meas_off_dbm},
                                     {"meas_on", p.readings->meas_on_dbm}};
    }
    j["gum"] = gum_json(p.budget);
    j["monte_carlo"] = p.monte_carlo ? monte_carlo_json(*p.monte_carlo) : Json(nullptr);
    if (p.source_match_bias_db) j["source_match_bias_db"] = number_or_null(*p.source_match_bias_db);
    if (p.match_advice) j["match_advice"] = match_advice_json(*p.match_advice);
    if (!p.notes.empty()) j["notes"] = p.notes;
    return j;
}

}  // namespace orlavex::app

#include "app/results/evaluation.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/classic_apply.h"
#include "app/inputs/typed_reflections.h"
#include "app/results/evaluated_enr.h"
#include "app/results/point.h"
#include "measure/bench.h"
#include "planning/image_setup.h"

namespace orlavex::app {

namespace {

Json evaluated_classic_json(const ClassicFigures& f) {
    Json j;
    j["nf_dut_db"] = number_or_null(f.nf_dut_db);
    j["gain_db"] = number_or_null(f.gain_db);
    j["nf_sa_db"] = number_or_null(f.nf_sa_db);
    j["nf_sys_db"] = number_or_null(f.nf_sys_db);
    j["ycal_db"] = number_or_null(f.ycal_db);
    j["ymeas_db"] = number_or_null(f.ymeas_db);
    j["rss_db"] = number_or_null(f.rss_db);
    j["error"] = f.error.empty() ? Json(nullptr) : Json(f.error);
    return j;
}

Json exact_json(const measure::ExactEvaluation& e) {
    const auto given = [&](double x) { return e.valid ? number_or_null(x) : Json(nullptr); };
    Json j;
    j["nf_dut_db"] = given(e.nf_dut_db);
    j["gain_db"] = number_or_null(e.gain_db);
    j["nf_sa_db"] = number_or_null(e.nf_sa_db);
    j["nf_sys_db"] = number_or_null(e.nf_sys_db);
    j["valid"] = e.valid;
    return j;
}

// The frequency at the DUT's output R used: the analyzer's when converting.
double output_ghz(const core::ClassicResult& r) {
    const core::ClassicValues& v = r.used.values;
    return r.used.choices.freq_conv ? v.freq2_ghz : v.freq_ghz;
}

// The model's set-up of the levels R used, with ENR_TABLE's calibration ENR
// at the output frequency of a converting DUT (a note in NOTES where held),
// the bench of SETUP at their frequencies and its model inputs.
measure::MeasurementSetup model_of(const core::ClassicResult& r, const Setup& setup,
                                   const datafiles::EnrTable* enr_table,
                                   std::vector<std::string>& notes) {
    measure::MeasurementSetup model = core::model_setup(r);
    if (enr_table && r.used.choices.freq_conv)
        calibrate_at_output(*enr_table, output_ghz(r), model, notes);
    planning::add_bench(setup.bench, r.used.values.freq_ghz, output_ghz(r), model);
    model.model = setup.model;
    return model;
}

// A converting DUT's image band put into MODEL at the frequencies R used,
// its ENR from ENR_TABLE (may be null) where the calibration source measures.
planning::ImagePoint add_image_of(const core::ClassicResult& r, const Setup& setup,
                                  const datafiles::EnrTable* enr_table,
                                  measure::MeasurementSetup& model) {
    return planning::add_image(setup.bench, enr_table, r.used.values.freq_ghz, output_ghz(r), model,
                               core::noise_source_name(r.used.choices));
}

// The exact evaluation of the levels R used, with its ENR (the measurement
// source's at the measurement), off temperature, correction and the bench's
// losses compensated.
measure::ExactEvaluation exact_evaluation(const core::ClassicResult& r,
                                          const measure::MeasurementSetup& model) {
    const core::ClassicValues& v = r.used.values;
    return measure::evaluate_exact({v.cal_off_dbm, v.cal_on_dbm, v.meas_off_dbm, v.meas_on_dbm},
                                   model);
}

// With a bench the classic figures go: the calculator would give the
// levels' figures as if the source were at the DUT and the analyzer behind
// it, the losses counted to the DUT.
void withhold_classic_for_bench(Evaluation& e, const Setup& setup, const core::ClassicResult& r) {
    if (!setup.bench.any()) return;
    e.classic_withheld = true;
    e.classic = ClassicFigures{};
    for (std::string& note :
         planning::bench_held_notes(setup.bench, r.used.values.freq_ghz, output_ghz(r)))
        e.notes.push_back(std::move(note));
    e.notes.emplace_back(
        "the exact evaluation compensates the bench (the losses at their temperatures, the "
        "measurement source's ENR); the calculator's manual mode knows no bench, so no classic "
        "figures are given");
}

}  // namespace

std::optional<measure::Budget> measured_budget(const Evaluation& e, const Setup& setup) {
    if (!e.exact.valid) return std::nullopt;
    measure::MeasurementSetup at = e.model;
    at.dut_nf_db = e.exact.nf_dut_db;
    if (setup.second_stage) {
        at.dut_gain_db = e.exact.gain_db;
        at.analyzer_nf_db = e.exact.nf_sa_db;
    }
    return measure::gum_budget(at);
}

std::string levels_refusal(const Setup& setup, Naming naming) {
    const auto name = [&](std::string_view keyword) {
        return std::string(name_of(*find_field_input(keyword), naming));
    };
    for (const char* required : {"meas_on", "meas_off"}) {
        if (!setup.field(required)) return name(required) + " is required";
    }
    const bool cal_on = setup.field("cal_on").has_value();
    const bool cal_off = setup.field("cal_off").has_value();
    if (setup.second_stage && (!cal_on || !cal_off)) {
        const std::string without =
            naming == Naming::flag ? "--no-second-stage" : "no_second_stage=True";
        return "evaluate needs " + name("cal_on") + " and " + name("cal_off") + " (or " + without +
               ")";
    }
    if (!setup.second_stage && (cal_on || cal_off)) {
        return name("cal_on") + ", " + name("cal_off") +
               ": without second-stage correction there is no calibration";
    }
    return {};
}

std::string evaluation_refusal(const Setup& setup, Naming naming) {
    std::string why = levels_refusal(setup, naming);
    if (why.empty()) why = known_reflections_refusal(setup.model, naming);
    return why;
}

EvaluationOutcome evaluate_taken(Resolved taken, const Setup& setup, const EvaluationFiles& files,
                                 bool with_budget) {
    Applied& applied = taken.applied;
    if (!applied.refused.empty()) return {std::nullopt, std::move(applied.refused)};
    if (files.enr_table || files.dut_sparameters) {
        if (std::string why =
                take_tables(files.enr_table, files.dut_sparameters, taken, applied.notes);
            !why.empty())
            return {std::nullopt, std::move(why)};
    }
    const datafiles::EnrTable* enr_table = files.enr_table;
    measure::MeasurementSetup model = model_of(taken.result, setup, enr_table, applied.notes);
    planning::ImagePoint image = add_image_of(taken.result, setup, enr_table, model);
    if (!image.problem.empty()) return {std::nullopt, std::move(image.problem)};
    applied.notes.insert(applied.notes.end(), image.notes.begin(), image.notes.end());
    Evaluation e{used_setup(taken.result, setup),
                 taken.result.figures,
                 exact_evaluation(taken.result, model),
                 std::move(applied.notes),
                 setup.bench,
                 model,
                 false,
                 std::nullopt};
    withhold_classic_for_bench(e, setup, taken.result);
    if (e.model.image.response && !e.classic_withheld) {
        e.classic_withheld = true;
        e.classic = ClassicFigures{};
        e.notes.emplace_back(
            "the exact evaluation counts the image band's noise; the calculator's manual mode "
            "knows no image band, so no classic figures are given");
    }
    if (with_budget) e.budget = measured_budget(e, setup);
    if (!setup.second_stage) {
        // Gain and analyzer noise figure come from the calibration levels,
        // which this mode does not take.
        e.exact.gain_db = e.exact.nf_sa_db = not_computed;
        e.notes.emplace_back(
            "without second-stage correction there is no calibration: no DUT gain or analyzer "
            "noise figure");
    }
    return {std::move(e), {}};
}

EvaluationOutcome run_evaluation(const Setup& setup, const ApplyOptions& options,
                                 const EvaluationFiles& files, bool with_budget) {
    if (std::string why = evaluation_refusal(setup, options.naming); !why.empty())
        return {std::nullopt, std::move(why)};
    return evaluate_taken(resolve(setup, options), setup, files, with_budget);
}

Json evaluation_json(const Evaluation& e) {
    Json j;
    j["inputs"] = setup_json(e.inputs);
    if (e.bench.any()) add_bench_json(j["inputs"], e.bench, e.model);
    j["classic"] = e.classic_withheld ? Json(nullptr) : evaluated_classic_json(e.classic);
    j["exact"] = exact_json(e.exact);
    j["gum"] = e.budget ? gum_json(*e.budget) : Json(nullptr);
    if (!e.notes.empty()) j["notes"] = e.notes;
    return j;
}

}  // namespace orlavex::app

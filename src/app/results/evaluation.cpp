#include "app/results/evaluation.h"

#include "app/inputs/classic_apply.h"

namespace orlavex::app {

namespace {

Json classic_json(const ClassicFigures& f) {
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

// The exact evaluation of the levels R used, with its ENR, off temperature
// and correction.
measure::ExactEvaluation exact_evaluation(const core::ClassicResult& r) {
    const core::ClassicValues& v = r.used.values;
    const measure::MeasurementSetup setup = core::model_setup(r);
    return measure::evaluate_exact(v.cal_on_dbm, v.cal_off_dbm, v.meas_on_dbm, v.meas_off_dbm,
                                   setup.enr_cal_db, setup.enr_meas_db, setup.tc_k,
                                   setup.second_stage);
}

}  // namespace

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

EvaluationOutcome run_evaluation(const Setup& setup, const ApplyOptions& options) {
    if (std::string why = levels_refusal(setup, options.naming); !why.empty()) {
        return {std::nullopt, std::move(why)};
    }
    Resolved taken = resolve(setup, options);
    Applied& applied = taken.applied;
    if (!applied.refused.empty()) return {std::nullopt, std::move(applied.refused)};
    Evaluation e{used_setup(taken.result, setup), taken.result.figures,
                 exact_evaluation(taken.result), std::move(applied.notes)};
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

Json evaluation_json(const Evaluation& e) {
    Json j;
    j["inputs"] = setup_json(e.inputs);
    j["classic"] = classic_json(e.classic);
    j["exact"] = exact_json(e.exact);
    if (!e.notes.empty()) j["notes"] = e.notes;
    return j;
}

}  // namespace orlavex::app

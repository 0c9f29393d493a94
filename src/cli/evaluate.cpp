#include "cli/evaluate.h"

#include "cli/setup_echo.h"
#include "cli/text_table.h"
#include "engine/measurement_setup.h"

namespace orlavex::cli {

namespace {

using enum TextTable::Align;

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

std::string shown(const std::optional<double>& x, int places = 2) {
    return x ? fixed(*x, places) : "- - -";
}

}  // namespace

measure::ExactEvaluation exact_evaluation(const Calculator& calc) {
    const CalcState& s = calc.state;
    const measure::MeasurementSetup setup = measurement_setup(calc);
    return measure::evaluate_exact(s.CalON, s.CalOFF, s.MeasON, s.MeasOFF, setup.enr_cal_db,
                                   setup.enr_meas_db, setup.tc_k, setup.second_stage);
}

Json evaluate_json(const Calculator& calc, const WindowInputs& inputs,
                   const measure::ExactEvaluation& exact) {
    Json j;
    j["inputs"] = setup_json(calc, inputs);
    j["classic"] = classic_json(calc.figures);
    j["exact"] = exact_json(exact);
    return j;
}

void print_evaluation(std::ostream& out, const Calculator& calc, const WindowInputs& inputs,
                      const measure::ExactEvaluation& exact) {
    const ClassicFigures& f = calc.figures;
    const CalcState& s = calc.state;
    print_setup(out, calc, inputs);
    out << "  Levels: cal on " << fixed(s.CalON, 3) << ", cal off " << fixed(s.CalOFF, 3)
        << ", meas on " << fixed(s.MeasON, 3) << ", meas off " << fixed(s.MeasOFF, 3) << " dBm\n\n";
    const auto exact_figure = [&](double x) { return exact.valid ? fixed(x, 2) : "- - -"; };
    TextTable t({left, right, right, left});
    t.add({"", "classic", "exact", ""});
    t.add({"DUT NF", shown(f.nf_dut_db), exact_figure(exact.nf_dut_db), "dB"});
    t.add({"DUT gain", shown(f.gain_db), fixed(exact.gain_db, 2), "dB"});
    t.add({"NFsa", shown(f.nf_sa_db), fixed(exact.nf_sa_db, 2), "dB"});
    t.add({"NF(dut+sa)", fixed(f.nf_sys_db, 2), fixed(exact.nf_sys_db, 2), "dB"});
    t.add({"Ycal", fixed(f.ycal_db, 2), "", "dB"});
    t.add({"Ymeas", fixed(f.ymeas_db, 2), "", "dB"});
    t.add(
        {"Uncertainty (classic RSS)", f.rss_db ? "+/- " + fixed(*f.rss_db, 4) : "- - -", "", "dB"});
    out << "Evaluation (classic as the window's manual mode; exact with the off temperature)\n";
    t.print(out, "  ");
    if (!f.error.empty()) out << "  " << f.error << '\n';
}

std::string run_evaluate(Calculator& calc, const WindowInputs& inputs, bool json,
                         std::ostream& out) {
    const bool second_stage = !inputs.no_second_stage;
    const bool has_cal =
        inputs.entry("--cal-on") != nullptr || inputs.entry("--cal-off") != nullptr;
    if (second_stage && (!inputs.entry("--cal-on") || !inputs.entry("--cal-off"))) {
        return "evaluate needs --cal-on and --cal-off (or --no-second-stage)";
    }
    if (!second_stage && has_cal) {
        return "--cal-on, --cal-off: without second-stage correction there is no calibration";
    }
    if (std::string why = apply_inputs(calc, inputs); !why.empty()) return why;
    const measure::ExactEvaluation exact = exact_evaluation(calc);
    if (json) {
        out << evaluate_json(calc, inputs, exact).dump(2) << '\n';
    } else {
        print_evaluation(out, calc, inputs, exact);
    }
    return {};
}

}  // namespace orlavex::cli

#include "cli/evaluate.h"

#include "app/inputs/sweep_request.h"
#include "app/results/evaluated_enr.h"
#include "cli/setup_file_options.h"
#include "cli/setup_table.h"
#include "cli/text_table.h"
#include "datafiles/file_error.h"

#include <cmath>
#include <optional>

namespace orlavex::cli {

namespace {

using enum TextTable::Align;

std::string shown(const std::optional<double>& x, int places = 2) {
    return x ? fixed(*x, places) : "- - -";
}

// A figure of the exact evaluation the levels do not give is NaN.
std::string shown_finite(double x) {
    return std::isfinite(x) ? fixed(x, 2) : "- - -";
}

}  // namespace

void print_evaluation(std::ostream& out, const app::Evaluation& e) {
    const ClassicFigures& f = e.classic;
    const core::ClassicValues& s = e.inputs.values;
    const measure::ExactEvaluation& exact = e.exact;
    print_setup(out, e.inputs);
    out << "  Levels: ";
    if (e.inputs.second_stage) {
        out << "cal on " << fixed(s.cal_on_dbm, 3) << ", cal off " << fixed(s.cal_off_dbm, 3)
            << ", ";
    }
    out << "meas on " << fixed(s.meas_on_dbm, 3) << ", meas off " << fixed(s.meas_off_dbm, 3)
        << " dBm\n";
    print_bench(out, e.bench, e.model);
    print_notes(out, e.notes);
    out << '\n';
    const auto exact_figure = [&](double x) {
        return exact.valid && std::isfinite(x) ? fixed(x, 2) : "- - -";
    };
    // Without classic figures (a bench) the column says so.
    const auto classic = [&](std::string text) { return e.classic_withheld ? "- - -" : text; };
    TextTable t({left, right, right, left});
    t.add({"", "classic", "exact", ""});
    t.add({"DUT NF", classic(shown(f.nf_dut_db)), exact_figure(exact.nf_dut_db), "dB"});
    t.add({"DUT gain", classic(shown(f.gain_db)), shown_finite(exact.gain_db), "dB"});
    t.add({"NFsa", classic(shown(f.nf_sa_db)), shown_finite(exact.nf_sa_db), "dB"});
    t.add({"NF(dut+sa)", classic(fixed(f.nf_sys_db, 2)), fixed(exact.nf_sys_db, 2), "dB"});
    t.add({"Ycal", classic(fixed(f.ycal_db, 2)), "", "dB"});
    t.add({"Ymeas", classic(fixed(f.ymeas_db, 2)), "", "dB"});
    t.add({"Uncertainty (classic RSS)",
           f.rss_db && !e.classic_withheld ? "+/- " + fixed(*f.rss_db, 4) : "- - -", "", "dB"});
    const bool gum = e.budget && e.budget->valid;
    t.add(
        {"Uncertainty (GUM, k = 2)", "", gum ? "+/- " + fixed(e.budget->U_db, 4) : "- - -", "dB"});
    out << "Evaluation (classic as the window's manual mode; exact with the off temperature"
        << (e.bench.any() ? " and the bench)\n" : ")\n");
    t.print(out, "  ");
    if (!f.error.empty()) out << "  " << f.error << '\n';
    if (gum) {
        out << "  GUM budget at the measured point, every Type B source of the plan; "
            << (e.model.model.noise_bw_hz > 0 && e.model.model.tau_s > 0
                    ? "single readings: the planned jitter (--noise-bw, --tau) stands in for "
                      "their scatter\n"
                    : "no reading jitter (give --noise-bw and --tau)\n");
    }
}

std::string typed_enr_refusal(const WindowInputs& inputs,
                              const std::optional<datafiles::EnrTable>& table) {
    if (!table) return {};
    return app::typed_enr_refusal(inputs.entry("--enr") != nullptr,
                                  inputs.entry("--enr-unc") != nullptr, *table, app::Naming::flag);
}

std::string run_evaluate(const WindowInputs& inputs, const app::ModelInputs& model, bool json,
                         std::ostream& out) {
    app::SweepRequest request;
    std::optional<datafiles::EnrTable> enr_table;
    std::optional<datafiles::Touchstone> dut;
    try {
        if (std::string why = typed_request(inputs, model, request); !why.empty()) return why;
        enr_table = app::request_enr_table(request);
        dut = app::request_dut_sparameters(request);
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
    if (std::string why = typed_enr_refusal(inputs, enr_table); !why.empty()) return why;
    const app::EvaluationOutcome outcome =
        app::run_evaluation(request.setup, {inputs.strict, app::Naming::flag},
                            {enr_table ? &*enr_table : nullptr, dut ? &*dut : nullptr});
    if (!outcome.evaluation) return outcome.refused;
    if (std::string why = save_setup(inputs.files, request); !why.empty()) return why;
    if (json) {
        out << app::evaluation_json(*outcome.evaluation).dump(2) << '\n';
    } else {
        print_evaluation(out, *outcome.evaluation);
    }
    return {};
}

}  // namespace orlavex::cli

#include "cli/point.h"

#include "cli/setup_echo.h"
#include "cli/text_table.h"
#include "engine/measurement_setup.h"
#include "engine/number_text.h"

#include <algorithm>

namespace orlavex::cli {

namespace {

using enum TextTable::Align;

// The window's guideline captions, in its order 1, 2, 3.
constexpr std::string_view guideline_names[3] = {"(NF+G)dut - NFsa", "ENR - NFdut", "ENR - NFsa"};

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

std::string db(double x, int places = 2) {
    return fixed(x, places) + " dB";
}

void print_classic(std::ostream& out, const ClassicFigures& f) {
    TextTable t({left, right, left});
    const auto figure = [&](std::string name, double x, int places = 2, std::string unit = "dB") {
        t.add({std::move(name), f.valid ? fixed(x, places) : "- - -", std::move(unit)});
    };
    t.add({"Eff. ENR", fixed(f.enr_eff_db, 2), "dB"});
    figure("Ycal", f.ycal_db);
    figure("Ymeas", f.ymeas_db);
    figure("NF(dut+sa)", f.nf_sys_db);
    figure("Net analyzer NF", f.nf_sa_net_db);
    figure("Cal ON", f.cal_on_dbm, 3, "dBm");
    figure("Cal OFF", f.cal_off_dbm, 3, "dBm");
    figure("Meas ON", f.meas_on_dbm, 3, "dBm");
    figure("Meas OFF", f.meas_off_dbm, 3, "dBm");
    for (int i = 0; i < 3; ++i) {
        const std::string lamp(lamp_name(f.lamp[i]));
        t.add({std::string(guideline_names[i]), f.valid ? fixed(f.margin_db[i], 2) : "- - -",
               "dB  " + lamp});
    }
    t.add({"Uncertainty (classic RSS)", f.rss_db ? "+/- " + fixed(*f.rss_db, 4) : "- - -", "dB"});
    t.add({"Offset without 2nd stage", f.rss_db ? "+" + fixed(f.bias_db, 4) : "- - -", "dB"});
    out << "Classic figures (as the window shows them; levels per MHz)\n";
    t.print(out, "  ");
}

void print_budget(std::ostream& out, const measure::Budget& b) {
    out << "GUM budget";
    if (!b.valid) {
        out << ": none (the set-up gives no valid measurement)\n";
        return;
    }
    out << ", k = " << fixed(b.k, 0) << ": U = " << db(b.U_db, 4) << " (u_c = " << db(b.u_c_db, 4)
        << "), offset " << db(b.offset_db, 4) << '\n';
    std::vector<measure::BudgetLine> lines = b.lines;
    std::ranges::stable_sort(lines, std::ranges::greater{}, &measure::BudgetLine::u_i_db);
    TextTable t({left, right, right, right, right});
    t.add({"source", "u", "c", "u_i dB", "share"});
    for (const measure::BudgetLine& line : lines) {
        t.add({std::string(line.source), fixed(line.u, 4), fixed(line.c, 4), fixed(line.u_i_db, 4),
               fixed(100 * line.share, 1) + " %"});
    }
    t.print(out, "  ");
}

void print_monte_carlo(std::ostream& out, const measure::MonteCarloResult& r) {
    out << "Monte Carlo, " << r.trials << " trials, seed " << r.seed << '\n';
    TextTable t({left, right});
    t.add({"mean error (bias)", db(r.mean_db, 4)});
    t.add({"standard deviation", db(r.std_db, 4)});
    t.add({"95 % interval", fixed(r.interval_lo_db, 4) + " to " + db(r.interval_hi_db, 4)});
    t.add(
        {"shortest 95 % interval", fixed(r.shortest_lo_db, 4) + " to " + db(r.shortest_hi_db, 4)});
    t.add({"invalid trials", std::to_string(r.invalid)});
    t.print(out, "  ");
}

}  // namespace

PointResult compute_point(const Calculator& calc, const ModelOptions& model) {
    PointResult r;
    r.setup = measurement_setup(calc);
    r.setup.noise_bw_hz = model.noise_bw_hz;
    r.setup.tau_s = model.tau_s;
    r.setup.spec_shape =
        model.spec_shape == "rect" ? measure::SpecShape::rectangular : measure::SpecShape::normal;
    measure::MonteCarloOptions mc;
    mc.trials = model.trials;
    mc.seed = model.seed;
    mc.keep_samples = model.keep_samples;
    if (!calc.figures.valid) {
        // A set-up the window rejects (a DUT whose noise figure is below its
        // loss) has no measurement to simulate: no budget, no valid trial.
        r.monte_carlo.trials = mc.trials;
        r.monte_carlo.seed = mc.seed;
        r.monte_carlo.invalid = mc.trials;
        for (double* x : {&r.monte_carlo.mean_db, &r.monte_carlo.std_db,
                          &r.monte_carlo.interval_lo_db, &r.monte_carlo.interval_hi_db,
                          &r.monte_carlo.shortest_lo_db, &r.monte_carlo.shortest_hi_db}) {
            *x = not_computed;
        }
        if (mc.keep_samples) r.monte_carlo.samples.assign(mc.trials, not_computed);
        return r;
    }
    r.budget = measure::gum_budget(r.setup);
    r.monte_carlo = measure::monte_carlo(r.setup, mc);
    return r;
}

Json point_json(const Calculator& calc, const WindowInputs& inputs, const PointResult& r) {
    Json j;
    j["inputs"] = setup_json(calc, inputs);
    j["inputs"]["noise_bw_hz"] = r.setup.noise_bw_hz;
    j["inputs"]["tau_s"] = r.setup.tau_s;
    j["inputs"]["spec_shape"] =
        r.setup.spec_shape == measure::SpecShape::rectangular ? "rect" : "normal";
    j["classic"] = classic_json(calc.figures);
    j["gum"] = gum_json(r.budget);
    j["monte_carlo"] = monte_carlo_json(r.monte_carlo);
    return j;
}

void print_point(std::ostream& out, const Calculator& calc, const WindowInputs& inputs,
                 const PointResult& r) {
    print_setup(out, calc, inputs);
    if (r.setup.noise_bw_hz > 0 && r.setup.tau_s > 0) {
        out << "  Readings: noise bandwidth " << general_text(r.setup.noise_bw_hz, '.') << " Hz, "
            << general_text(r.setup.tau_s, '.') << " s each\n";
    }
    out << '\n';
    print_classic(out, calc.figures);
    out << '\n';
    print_budget(out, r.budget);
    out << '\n';
    print_monte_carlo(out, r.monte_carlo);
}

std::string run_point(Calculator& calc, const WindowInputs& inputs, const ModelOptions& model,
                      bool json, std::ostream& out) {
    if (std::string why = apply_inputs(calc, inputs); !why.empty()) return why;
    const PointResult result = compute_point(calc, model);
    if (json) {
        out << point_json(calc, inputs, result).dump(2) << '\n';
    } else {
        print_point(out, calc, inputs, result);
    }
    return {};
}

}  // namespace orlavex::cli

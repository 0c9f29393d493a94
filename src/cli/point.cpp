#include "cli/point.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/reflection_text.h"
#include "app/results/budget_units.h"
#include "cli/named_argument.h"
#include "cli/progress_line.h"
#include "cli/setup_file_options.h"
#include "cli/setup_table.h"
#include "cli/text_table.h"
#include "core/number_text.h"
#include "datafiles/file_error.h"
#include "measure/match.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orlavex::cli {

namespace {

using enum TextTable::Align;

std::string db(double x, int places = 2) {
    return fixed(x, places) + " dB";
}

void print_classic(std::ostream& out, const ClassicFigures& f) {
    TextTable t({left, right, left});
    const auto figure = [&](std::string name, double x, int places = 2, std::string unit = "dB") {
        const bool shown = f.valid && std::isfinite(x);
        t.add({std::move(name), shown ? fixed(x, places) : "- - -", std::move(unit)});
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
        t.add({std::string(app::guideline_names[i]), f.valid ? fixed(f.margin_db[i], 2) : "- - -",
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
    // u in its source's unit, c in dB of DUT noise figure per that unit.
    TextTable t({left, right, left, right, right, right});
    t.add({"source", "u", "unit", "c", "u_i dB", "share"});
    for (const measure::BudgetLine& line : lines) {
        t.add({std::string(line.source), fixed(line.u, 4),
               std::string(app::budget_unit(line.source)), fixed(line.c, 4), fixed(line.u_i_db, 4),
               fixed(100 * line.share, 1) + " %"});
    }
    t.print(out, "  ");
}

// The bias the known reflections make, beside U: what an uncorrected
// result must allow for.
void print_source_match_bias(std::ostream& out, const measure::Budget& b, double bias_db) {
    out << "  Source-match bias e0 = " << db(bias_db, 4);
    if (b.valid) out << ";  U + |bias| = " << db(b.U_db + std::fabs(bias_db), 4) << " uncorrected";
    out << '\n';
}

// The cures of a large source-match bias, best first.
void print_match_advice(std::ostream& out, const planning::MatchAdvice& a) {
    out << "  The bias is more than a third of U; before the DUT, smallest U + |bias| first:\n";
    TextTable t({left, right, right, right});
    t.add({"  cure", "bias", "U", "U + |bias|"});
    for (const planning::MatchCure& c : a.cures) {
        t.add({"  " + c.what, db(c.bias_db, 4),
               db(c.U_db, 4) + " (" + (c.added_U_db >= 0 ? "+" : "") + fixed(c.added_U_db, 4) + ")",
               db(c.total_db(), 4)});
    }
    t.print(out, "  ");
}

// The reflections and noise parameters typed, as they were given.
void print_typed_reflections(std::ostream& out, const measure::ModelOptions& m) {
    std::string typed;
    for (const app::ModelInput& row : app::typed_reflection_inputs) {
        if (app::at_default(row, m)) continue;
        const std::string value = row.kind == app::ModelValue::reflection
                                      ? app::reflection_text(*(m.*row.reflection))
                                      : general_text(*(m.*row.optional), '.');
        typed += (typed.empty() ? "" : ", ") + std::string(row.label) + " " + value +
                 (row.unit.empty() ? "" : " " + std::string(row.unit));
    }
    if (!typed.empty()) out << "  Typed reflections: " << typed << '\n';
}

// The tables REQUEST names or holds, read.
struct PointTables {
    std::optional<datafiles::EnrTable> enr_table;
    std::optional<datafiles::Touchstone> dut_sparameters;
    app::PointFiles files() const {
        return {enr_table ? &*enr_table : nullptr, dut_sparameters ? &*dut_sparameters : nullptr};
    }
};
PointTables read_tables(const app::SweepRequest& request) {
    PointTables t{request.enr_table, request.dut_sparameters};
    if (!request.enr_table_path.empty())
        t.enr_table = datafiles::read_enr_file(request.enr_table_path);
    if (!request.dut_s2p_path.empty())
        t.dut_sparameters = datafiles::read_touchstone(request.dut_s2p_path);
    return t;
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

void print_point(std::ostream& out, const app::Point& p) {
    print_setup(out, p.inputs);
    print_bench(out, p.bench, p.setup);
    if (p.setup.model.noise_bw_hz > 0 && p.setup.model.tau_s > 0) {
        out << "  Readings: noise bandwidth " << general_text(p.setup.model.noise_bw_hz, '.')
            << " Hz, " << general_text(p.setup.model.tau_s, '.') << " s each\n";
    }
    if (p.frequency_plan) {
        out << "  Frequency plan: LO " << general_text(p.frequency_plan->lo_hz / 1e9, '.')
            << " GHz, image " << general_text(p.frequency_plan->image_hz / 1e9, '.') << " GHz\n";
    }
    print_typed_reflections(out, p.setup.model);
    print_notes(out, p.notes);
    out << '\n';
    if (!p.classic_withheld) {
        print_classic(out, p.classic);
        out << '\n';
    }
    print_budget(out, p.budget);
    if (p.source_match_bias_db) print_source_match_bias(out, p.budget, *p.source_match_bias_db);
    if (p.match_advice) print_match_advice(out, *p.match_advice);
    if (p.monte_carlo) {
        out << '\n';
        print_monte_carlo(out, *p.monte_carlo);
    }
}

void add_point_file_options(CLI::App& sub, PointFilePaths& files) {
    const std::string group = "Data files (with --reflections known)";
    sub.add_option("--enr-table", files.enr_table,
                   "the noise source's ENR table (.enr): its on and off reflections at the "
                   "point's frequency (its ENR stays the field's)")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group(group);
    sub.add_option("--dut-s2p", files.dut_s2p,
                   "the DUT's S-parameters (.s2p): S11, S21 and its noise block at the point's "
                   "frequency (its gain and matches stay the fields')")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group(group);
}

std::string run_point(const WindowInputs& inputs, const app::ModelInputs& model,
                      const PointFilePaths& paths, bool monte_carlo, bool json, std::ostream& out) {
    app::SweepRequest request;
    PointTables tables;
    try {
        if (std::string why = typed_request(inputs, model, request); !why.empty()) return why;
        if (!paths.enr_table.empty()) {
            request.enr_table_path = paths.enr_table;
            request.enr_table.reset();
        }
        if (!paths.dut_s2p.empty()) {
            request.dut_s2p_path = paths.dut_s2p;
            request.dut_sparameters.reset();
        }
        tables = read_tables(request);
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
    const bool known = request.setup.model.reflections == measure::ReflectionModel::known;
    const app::Setup& setup = request.setup;
    const app::PointOutcome outcome = [&] {
        const app::ApplyOptions options{inputs.strict, app::Naming::flag};
        if (!monte_carlo) return app::run_point(setup, options, false, nullptr, tables.files());
        // The Monte Carlo counts no trials as it goes: the line shows the time.
        const ProgressLine line(
            "Monte Carlo of " + std::to_string(setup.model.trials) + " trials", "trials",
            [] { return Progress{}; }, stderr_display());
        return app::run_point(setup, options, true, nullptr, tables.files());
    }();
    if (!outcome.point) return outcome.refused;
    if (std::string why = save_setup(inputs.files, request); !why.empty()) return why;
    app::Point point = *outcome.point;
    // With known reflections the files give the reflections alone.
    if (std::string note = unused_sweep_files_note(request, "point"); !note.empty()) {
        point.notes.push_back(known ? "point takes the known reflections from the files at its "
                                      "frequency; the ENR, the DUT's gain and the matches stay "
                                      "the fields' as typed"
                                    : std::move(note));
    }
    if (json) {
        out << app::point_json(point).dump(2) << '\n';
    } else {
        print_point(out, point);
    }
    return {};
}

}  // namespace orlavex::cli

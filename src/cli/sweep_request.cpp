#include "cli/sweep_request.h"

#include "cli/named_argument.h"
#include "planning/swept_input.h"

#include <cmath>

namespace orlavex::cli {

namespace {

std::vector<std::string> swept_input_names() {
    std::vector<std::string> names;
    for (const planning::SweptInputInfo& i : planning::swept_inputs())
        names.emplace_back(i.name);
    for (const planning::SweptInputInfo& i : planning::model_swept_inputs())
        names.emplace_back(i.name);
    return names;
}

}  // namespace

void add_sweep_options(CLI::App& sub, SweepRequest& r, bool advise, bool from_file) {
    const std::string group = advise ? "Band" : "Sweep";
    if (!advise) {
        sub.add_option("--over", r.over,
                       "the input to sweep (required unless a --setup file gives it)")
            ->check(CLI::IsMember(swept_input_names()))
            ->required(!from_file)
            ->group(group);
    }
    sub.add_option("--from", r.from,
                   "first value of the swept input (GHz for freq; required unless a --setup file "
                   "gives it)")
        ->required(!from_file)
        ->type_name("A")
        ->group(group);
    sub.add_option("--to", r.to, "last value of the swept input (required unless --setup gives it)")
        ->required(!from_file)
        ->type_name("B")
        ->group(group);
    sub.add_option("--points", r.points, "number of points, ends included")
        ->check(CLI::Range(app::fewest_points, app::most_points))
        ->capture_default_str()
        ->group(group);
    sub.add_flag("--log", r.log, "logarithmic spacing")->group(group);
    CLI::Option* fixed_if =
        sub.add_flag("--fixed-if", r.fixed_if,
                     "converting DUT: the output frequency (--freq2) stays, the LO moves")
            ->group(group);
    CLI::Option* fixed_lo =
        sub.add_flag("--fixed-lo", r.fixed_lo,
                     "converting DUT: the LO (|freq - freq2|) stays, the output moves")
            ->group(group);
    fixed_if->excludes(fixed_lo);
    if (CLI::Option* conv = sub.get_option_no_throw("--freq-conv")) {
        fixed_if->needs(conv);
        fixed_lo->needs(conv);
    }
    const std::string files = "Data files";
    sub.add_option("--enr-table", r.enr_table,
                   "the noise source's ENR table (.enr), replacing its ENR and uncertainty")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group(files);
    sub.add_option("--dut-s2p", r.dut_s2p,
                   "the DUT's S-parameters (.s2p, or .s1p for its input match)")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group(files);
    if (advise) return;
    sub.add_option("--match-form", r.match_form, "a swept match as VSWR or return loss (dB)")
        ->check(CLI::IsMember({"vswr", "rl"}))
        ->capture_default_str()
        ->group(group);
    sub.add_flag("--mc", r.monte_carlo, "Monte Carlo at every point (see --trials, --seed)")
        ->group(group);
    sub.add_option("--format", r.format, "output: a table, CSV or JSON")
        ->check(CLI::IsMember({"table", "csv", "json"}))
        ->capture_default_str()
        ->group("Output");
    sub.add_option("--plot", r.plot, "also draw the sweep's charts into FILE.svg or FILE.png")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Output");
}

app::SweepRequest typed_sweep_request(const SweepRequest& r) {
    app::SweepRequest request;
    const planning::SweptInputInfo* over = planning::find_swept_input(r.over);
    if (over == nullptr) throw planning::SweepError("unknown swept input '" + r.over + "'");
    request.over = over->input;
    request.from = r.from;
    request.to = r.to;
    request.points = r.points;
    request.log = r.log;
    request.match_form =
        r.match_form == "rl" ? planning::MatchForm::return_loss : planning::MatchForm::vswr;
    request.enr_table_path = r.enr_table;
    request.dut_s2p_path = r.dut_s2p;
    request.monte_carlo = r.monte_carlo;
    request.fixed_if = r.fixed_if;
    request.fixed_lo = r.fixed_lo;
    if (const std::string why = typed_request(r.inputs, r.model, request); !why.empty())
        throw planning::SweepError(why);
    // A set-up saved by point or evaluate holds no range.
    const app::GivenInputs& given = r.inputs.files.given;
    const bool range_given = given.contains("from") || given.contains("to");
    if (!r.inputs.files.setup.empty() && !range_given && request.from == 0 && request.to == 0)
        throw planning::SweepError("--from and --to are required: the set-up file gives no range");
    return request;
}

planning::Sweep make_sweep(const app::SweepRequest& request, bool strict, std::ostream& err) {
    std::vector<std::string> notes;
    planning::Sweep sweep = app::make_sweep(request, {strict, app::Naming::flag}, notes);
    for (const std::string& note : notes)
        err << "orlavex-cli: note: " << note << '\n';
    return sweep;
}

}  // namespace orlavex::cli

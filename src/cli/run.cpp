#include "cli/run.h"

#include "app/commands.h"
#include "app/inputs/reflection_text.h"
#include "app/results/catalogue_json.h"
#include "app/texts.h"
#include "cli/advise_command.h"
#include "cli/bench_options.h"
#include "cli/catalogue_listing.h"
#include "cli/echo_safe.h"
#include "cli/evaluate.h"
#include "cli/evaluate_readings.h"
#include "cli/measure_command.h"
#include "cli/named_argument.h"
#include "cli/point.h"
#include "cli/report_command.h"
#include "cli/setup_file_options.h"
#include "cli/sweep_command.h"
#include "cli/window_inputs.h"
#include "core/number_text.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli {

namespace {

// Adds the field options the command SCOPE takes to SUB, writing into INPUTS.
void add_field_options(CLI::App& sub, WindowInputs& inputs, Scope scope) {
    std::vector<std::pair<const FieldOption*, CLI::Option*>> added;
    for (const FieldOption& o : app::field_inputs()) {
        if (!app::takes(scope, o)) continue;
        CLI::Option* opt = sub.add_option_function<std::string>(
            std::string(o.flag),
            [&inputs, &o](const std::string& text) {
                inputs.entries.push_back({&o, text});
            },
            std::string(o.help));
        opt->type_name("X");
        if (!std::isnan(o.start)) opt->default_str(general_text(o.start, '.'));
        opt->group(o.scope == Scope::levels ? "Measured levels" : "Set-up (window fields)");
        for (const auto& [other, other_opt] : added) {
            if (app::same_field_other_form(o, *other)) opt->excludes(other_opt);
        }
        added.emplace_back(&o, opt);
    }
}

void add_model_choices(CLI::App& sub, WindowInputs& inputs, const std::string& group) {
    sub.add_option_function<std::string>(
           "--analyzer", [&inputs](const std::string& s) { inputs.analyzer = s; },
           "analyzer from the catalogue, or User")
        ->type_name("NAME")
        ->default_str("User")
        ->group(group);
    sub.add_option_function<std::vector<std::string>>(
           "--int-preamp",
           [&inputs](const std::vector<std::string>& v) {
               inputs.int_preamp = true;
               // CLI11 hands a bare flag over as one empty string.
               if (!v.empty() && !v.front().empty()) {
                   inputs.int_preamp_option = v.front() == "1" ? 1 : 0;
               }
           },
           "use the analyzer's internal preamplifier (tick Int PA); 0 or 1 picks the "
           "preamplifier of a model with two")
        ->expected(0, 1)
        ->check(CLI::IsMember({"0", "1"}))
        ->type_name("[0|1]")
        ->group(group);
    sub.add_flag("--ext-preamp", inputs.ext_preamp,
                 "use an external preamplifier (tick Ext PA; implied by --ext-preamp-*)")
        ->group(group);
}

// The window's choices: catalogue models, check boxes, the option menu.
void add_choices(CLI::App& sub, WindowInputs& inputs, const app::Command& command) {
    const std::string group = "Set-up (window choices)";
    sub.add_option_function<std::string>(
           "--noise-source", [&inputs](const std::string& s) { inputs.noise_source = s; },
           "noise source from the catalogue, or User")
        ->type_name("NAME")
        ->default_str("User")
        ->group(group);
    CLI::Option* conv =
        sub.add_flag("--freq-conv", inputs.freq_conv, "the DUT converts frequency (tick Freq Conv)")
            ->group(group);
    sub.get_option("--freq2")->needs(conv);
    sub.add_flag("--no-second-stage", inputs.no_second_stage,
                 "without second-stage correction (menu Option > 2nd stage)")
        ->group(group);
    if (command.scope == Scope::prediction) add_model_choices(sub, inputs, group);
    if (command.bench) add_bench_options(sub, inputs.bench);
    sub.add_flag("--strict", inputs.strict,
                 "refuse a value the window would round or bound instead of noting it")
        ->group(group);
}

// A number of 0 or more, with a short message (CLI11's own states its range).
const CLI::Validator not_negative(
    [](std::string& text) -> std::string {
        double x = 0;
        if (!CLI::detail::lexical_cast(text, x) || !(x >= 0) || !std::isfinite(x)) {
            return "must be a finite number >= 0";
        }
        return {};
    },
    "");

// Any finite number.
const CLI::Validator finite(
    [](std::string& text) -> std::string {
        double x = 0;
        return CLI::detail::lexical_cast(text, x) && std::isfinite(x) ? ""
                                                                      : "must be a finite number";
    },
    "");

// A reflection typed as MAG@DEG.
const CLI::Validator reflection(
    [](std::string& text) -> std::string {
        return app::read_reflection(text) ? "" : std::string(app::reflection_rule);
    },
    "");

// A whole number written in digits only (no sign) that fits 64 bits; the
// message states KIND's own range.
CLI::Validator whole_number(app::ModelValue kind) {
    return CLI::Validator(
        [kind](std::string& text) -> std::string {
            std::uint64_t x = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
            const bool ok = !text.empty() && ec == std::errc() && end == text.data() + text.size();
            return ok ? std::string() : app::whole_number_rule(kind);
        },
        "");
}

CLI::Option* add_model_option(CLI::App& sub, app::ModelInputs& m, const app::ModelInput& row) {
    const std::string flag(row.flag), help(row.help);
    switch (row.kind) {
        case app::ModelValue::not_negative:
            return sub.add_option(flag, m.*row.number, help)
                ->check(not_negative)
                ->capture_default_str();
        case app::ModelValue::optional_number:
            return sub.add_option(flag, m.*row.optional, help)->check(finite);
        case app::ModelValue::trials:
            return sub.add_option(flag, m.trials, help)
                ->check(whole_number(row.kind))
                ->check(CLI::Range(app::fewest_trials, app::most_trials))
                ->capture_default_str();
        case app::ModelValue::seed:
            return sub.add_option(flag, m.seed, help)
                ->check(whole_number(row.kind))
                ->capture_default_str();
        case app::ModelValue::reflection:
            return sub
                .add_option_function<std::string>(
                    flag,
                    [&m, &row](const std::string& s) {
                        m.*row.reflection = app::read_reflection(s);
                    },
                    help)
                ->check(reflection);
        case app::ModelValue::choice: {
            const std::vector<std::string> names(row.choice->names.begin(),
                                                 row.choice->names.end());
            return sub
                .add_option_function<std::string>(
                    flag, [&m, &row](const std::string& s) { app::set_choice(row, m, s); }, help)
                ->check(CLI::IsMember(names))
                ->default_str(std::string(app::choice_name(row, m)));
        }
    }
    return nullptr;
}

// The model's inputs COMMAND takes.
void add_model_options(CLI::App& sub, app::ModelInputs& m, const app::Command& command) {
    for (const app::ModelInput& row : app::every_model_input) {
        if (!app::takes(command, row)) continue;
        add_model_option(sub, m, row)
            ->type_name(std::string(row.type_name))
            ->group("Measurement model (GUM budget, Monte Carlo)");
    }
}

std::string one_line(std::string s) {
    std::ranges::replace(s, '\n', ' ');
    s = app::printable_text(s);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// Each line of MESSAGES as app::printable_text shows it: a name a message
// echoes cannot reorder or hide what the line says.
std::string printable_lines(std::string_view messages) {
    std::string out;
    for (std::size_t start = 0; start < messages.size();) {
        const std::size_t end = std::min(messages.find('\n', start), messages.size());
        out += app::printable_text(messages.substr(start, end - start));
        if (end < messages.size()) out += '\n';
        start = end + 1;
    }
    return out;
}

CLI::App* add_command(CLI::App& app, std::string_view name) {
    const app::Command& row = app::command_named(name);
    return app.add_subcommand(std::string(row.name), std::string(row.summary));
}

// Everything the command line can be asked, filled in by parsing.
struct Request {
    bool json = false;
    bool point_no_mc = false;
    WindowInputs point_inputs, evaluate_inputs;
    PointFilePaths point_files;
    ReadingsRequest readings;
    app::ModelInputs model, evaluate_model;
    SweepRequest sweep, advise;
    ReportRequest report;
    MeasureRequest measure;
    CLI::App *point = nullptr, *evaluate = nullptr, *sweep_command = nullptr,
             *advise_command = nullptr, *report_command = nullptr, *measure_command = nullptr,
             *listing = nullptr, *analyzers = nullptr, *noise_sources = nullptr;
};

// evaluate: four levels, or a band of readings from a file.
void add_evaluate_command(CLI::App& app, Request& r, bool from_file, bool readings_file) {
    r.evaluate_inputs.manual = true;
    r.evaluate = add_command(app, "evaluate");
    add_field_options(*r.evaluate, r.evaluate_inputs, Scope::levels);
    add_choices(*r.evaluate, r.evaluate_inputs, app::command_named("evaluate"));
    add_model_options(*r.evaluate, r.evaluate_model, app::command_named("evaluate"));
    r.evaluate->get_option("--meas-on")->required(!from_file && !readings_file);
    r.evaluate->get_option("--meas-off")->required(!from_file && !readings_file);
    r.evaluate
        ->add_option("--enr-table", r.evaluate_inputs.enr_table,
                     "the noise source's ENR table (.enr): its ENR and uncertainty at the "
                     "frequency measured, replacing --enr and --enr-unc")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Data files");
    r.evaluate
        ->add_option("--dut-s2p", r.evaluate_inputs.dut_s2p,
                     "the DUT's S-parameters (.s2p, or .s1p for its input match): its matches "
                     "at the frequency measured, replacing --dut-in-vswr and --dut-out-vswr "
                     "(the levels measure its gain and noise figure)")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Data files");
    r.evaluate
        ->add_option("--readings", r.readings.path,
                     "a band of measured readings (CSV: freq_ghz and the four levels), each "
                     "frequency evaluated")
        ->type_name("FILE")
        ->group("Readings");
    r.evaluate
        ->add_option("--calibration", r.readings.calibration,
                     "the calibration levels of --readings in a file of their own (CSV: "
                     "freq_ghz, cal_off and cal_on), interpolated to each frequency")
        ->type_name("FILE")
        ->group("Readings");
    r.evaluate
        ->add_option("--format", r.readings.format, "output of --readings: a table, CSV or JSON")
        ->check(CLI::IsMember({"table", "csv", "json"}))
        ->capture_default_str()
        ->group("Readings");
    r.evaluate
        ->add_option("--plot", r.readings.plot,
                     "also draw the measured noise figure (with its U) and gain of --readings, "
                     "over the plan of the set-up where one is given, into FILE.svg or FILE.png")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Readings");
    add_setup_file_options(*r.evaluate, r.evaluate_inputs.files);
}

// FROM_FILE: the arguments name a set-up file, which may give what is
// otherwise required.
void add_commands(CLI::App& app, Request& r, bool from_file, bool readings_file) {
    app.add_flag("--json", r.json, "print JSON instead of a table");
    r.point = add_command(app, "point");
    add_field_options(*r.point, r.point_inputs, Scope::prediction);
    add_choices(*r.point, r.point_inputs, app::command_named("point"));
    add_model_options(*r.point, r.model, app::command_named("point"));
    r.point->add_flag("--no-mc", r.point_no_mc, "the GUM budget only, without the Monte Carlo")
        ->group("Measurement model (GUM budget, Monte Carlo)");
    add_point_file_options(*r.point, r.point_files);
    add_setup_file_options(*r.point, r.point_inputs.files);

    add_evaluate_command(app, r, from_file, readings_file);

    r.sweep.model.trials = app::sweep_trials;
    r.sweep_command = add_command(app, "sweep");
    add_field_options(*r.sweep_command, r.sweep.inputs, Scope::prediction);
    add_choices(*r.sweep_command, r.sweep.inputs, app::command_named("sweep"));
    add_model_options(*r.sweep_command, r.sweep.model, app::command_named("sweep"));
    add_sweep_options(*r.sweep_command, r.sweep, false, from_file);
    add_setup_file_options(*r.sweep_command, r.sweep.inputs.files);

    r.advise_command = add_command(app, "advise");
    add_field_options(*r.advise_command, r.advise.inputs, Scope::prediction);
    add_choices(*r.advise_command, r.advise.inputs, app::command_named("advise"));
    add_model_options(*r.advise_command, r.advise.model, app::command_named("advise"));
    add_sweep_options(*r.advise_command, r.advise, true, from_file);
    add_setup_file_options(*r.advise_command, r.advise.inputs.files);

    r.report.sweep.model.trials = app::sweep_trials;
    r.report_command = add_command(app, "report");
    add_field_options(*r.report_command, r.report.sweep.inputs, Scope::prediction);
    add_choices(*r.report_command, r.report.sweep.inputs, app::command_named("report"));
    add_model_options(*r.report_command, r.report.sweep.model, app::command_named("report"));
    add_report_options(*r.report_command, r.report, from_file || readings_file);
    add_setup_file_options(*r.report_command, r.report.sweep.inputs.files);

    r.measure_command = add_command(app, "measure");
    add_measure_options(*r.measure_command, r.measure);

    r.listing = add_command(app, "catalogue");
    r.listing->require_subcommand(0, 1);
    r.analyzers = r.listing->add_subcommand("analyzers", "the analyzer models");
    r.noise_sources = r.listing->add_subcommand("noise-sources", "the noise source models");
}

void list_catalogue(const Request& r, std::ostream& out) {
    if (r.analyzers->parsed()) {
        if (r.json) {
            out << app::analyzers_json().dump(2) << '\n';
        } else {
            print_analyzers(out);
        }
    } else if (r.noise_sources->parsed()) {
        if (r.json) {
            out << app::noise_sources_json().dump(2) << '\n';
        } else {
            print_noise_sources(out);
        }
    }
}

// Runs the command REQUEST names; the exit status.
int dispatch(const CLI::App& app, const Request& r, std::ostream& out, std::ostream& err) {
    // A long sweep is not run only to find that its set-up cannot be kept.
    for (const SetupFileOptions* files :
         {&r.point_inputs.files, &r.evaluate_inputs.files, &r.sweep.inputs.files,
          &r.advise.inputs.files, &r.report.sweep.inputs.files}) {
        if (const std::string why = save_setup_refusal(*files); !why.empty()) {
            err << "orlavex-cli: " << why << '\n';
            return exit_bad_input;
        }
    }
    if (r.sweep_command->parsed() || r.advise_command->parsed() || r.report_command->parsed()) {
        if (r.sweep_command->parsed()) return run_sweep_command(r.sweep, r.json, out, err);
        if (r.report_command->parsed()) return run_report_command(r.report, err);
        return run_advise_command(r.advise, r.json, out, err);
    }
    if (r.measure_command->parsed()) return run_measure_command(r.measure, out, err);
    std::string why;
    if (app.get_subcommands().empty()) {
        why = "give a command: " + app::command_list() + " (see --help)";
    } else if (r.listing->parsed() && r.listing->get_subcommands().empty()) {
        why = "catalogue: give analyzers or noise-sources";
    } else if (r.point->parsed()) {
        why = run_point(r.point_inputs, r.model, r.point_files, !r.point_no_mc, r.json, out);
    } else if (r.evaluate->parsed() && !r.readings.path.empty()) {
        ReadingsRequest readings = r.readings;
        if (r.json) readings.format = "json";
        why = run_evaluate_readings(r.evaluate_inputs, r.evaluate_model, readings, out);
    } else if (r.evaluate->parsed() && !r.readings.calibration.empty()) {
        why = "--calibration is for --readings";
    } else if (r.evaluate->parsed() && !r.readings.plot.empty()) {
        why = "--plot is for --readings (four levels have no chart)";
    } else if (r.evaluate->parsed() && r.readings.format != "table") {
        why = "--format is for --readings (four levels: --json)";
    } else if (r.evaluate->parsed()) {
        why = run_evaluate(r.evaluate_inputs, r.evaluate_model, r.json, out);
    } else {
        list_catalogue(r, out);
    }
    if (!why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }
    return 0;
}

// Parses ARGV and runs its command, writing messages to ERR.
int parse_and_run(int argc, const char* const* argv, const std::vector<std::string>& args,
                  std::ostream& out, std::ostream& err) {
    CLI::App app{
        "Noise-figure calculator (Y-factor method): the window's figures, a GUM "
        "uncertainty budget and a Monte Carlo of the measurement.",
        "orlavex-cli"};
    app.set_version_flag("--version", "orlavex-cli " ORLAVEX_VERSION);
    app.require_subcommand(0, 1);
    app.fallthrough();
    Request request;
    const bool readings_file = std::ranges::any_of(args, [](const std::string& arg) {
        return arg == "--readings" || arg.starts_with("--readings=");
    });
    add_commands(app, request, names_setup_file(args), readings_file);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "orlavex-cli: " << one_line(clip_echoed_arguments(e.what(), args)) << '\n';
        return exit_bad_input;
    }
    note_given_options(*request.point, request.point_inputs.files);
    note_given_options(*request.evaluate, request.evaluate_inputs.files);
    note_given_options(*request.sweep_command, request.sweep.inputs.files);
    note_given_options(*request.advise_command, request.advise.inputs.files);
    note_given_options(*request.report_command, request.report.sweep.inputs.files);
    return dispatch(app, request, out, err);
}

}  // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    // Messages are gathered so that what they echo of the arguments can be
    // clipped before they are shown.
    std::ostringstream messages;
    int status = 0;
    try {
        status = parse_and_run(argc, argv, args, out, messages);
    } catch (const std::bad_alloc&) {
        out.flush();
        messages << out_of_memory_message << '\n';
        status = exit_bad_input;
    }
    // A full disk or a closed pipe shows only here: the output is lost, so
    // the run has not succeeded.
    if (!out.flush()) {
        messages << unwritable_output_message << '\n';
        if (status == 0) status = exit_bad_input;
    }
    err << printable_lines(clip_echoed_arguments(messages.str(), args));
    err.flush();
    return status;
}

}  // namespace orlavex::cli

#include "cli/run.h"

#include "cli/advise_command.h"
#include "cli/catalogue_listing.h"
#include "cli/evaluate.h"
#include "cli/point.h"
#include "cli/sweep_command.h"
#include "cli/window_inputs.h"
#include "engine/controls.h"
#include "engine/number_text.h"
#include "window/handlers.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

namespace orlavex::cli {

namespace {

// The value shown as an option's start-up value in --help.
std::string startup_text(const Calculator& started, const FieldOption& o) {
    if (o.scope == Scope::levels) return {};
    if (o.format != Ctl::none && !is_selected(started, o.format)) return {};
    return general_text(started.state.*o.value, '.');
}

bool same_field_other_format(const FieldOption& a, const FieldOption& b) {
    const bool ext_a = a.value == &CalcState::ExtPA_InMatch;
    const bool ext_b = b.value == &CalcState::ExtPA_InMatch;
    return &a != &b && a.field == b.field && ext_a == ext_b;
}

// Adds the field options of SCOPES to SUB, writing into INPUTS.
void add_field_options(CLI::App& sub, WindowInputs& inputs, const Calculator& started,
                       std::initializer_list<Scope> scopes) {
    std::vector<std::pair<const FieldOption*, CLI::Option*>> added;
    for (const FieldOption& o : field_options()) {
        if (std::ranges::find(scopes, o.scope) == scopes.end()) continue;
        CLI::Option* opt = sub.add_option_function<std::string>(
            std::string(o.name),
            [&inputs, &o](const std::string& text) {
                inputs.entries.push_back({&o, text});
            },
            std::string(o.help));
        opt->type_name("X");
        if (const std::string start = startup_text(started, o); !start.empty()) {
            opt->default_str(start);
        }
        opt->group(o.scope == Scope::levels ? "Measured levels" : "Set-up (window fields)");
        for (const auto& [other, other_opt] : added) {
            if (same_field_other_format(o, *other)) opt->excludes(other_opt);
        }
        added.emplace_back(&o, opt);
    }
}

// The window's choices: catalogue models, check boxes, the option menu.
void add_choices(CLI::App& sub, WindowInputs& inputs, bool prediction) {
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
    if (!prediction) return;
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
               if (!v.empty()) inputs.int_preamp_option = v.front() == "1" ? 1 : 0;
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

// A number of 0 or more, with a short message (CLI11's own states its range).
const CLI::Validator not_negative(
    [](std::string& text) -> std::string {
        double x = 0;
        if (!CLI::detail::lexical_cast(text, x) || !(x >= 0)) return "must be a number >= 0";
        return {};
    },
    "");

// A whole number written in digits only (no sign) that fits 64 bits.
const CLI::Validator whole_number(
    [](std::string& text) -> std::string {
        std::uint64_t x = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
        const bool ok = !text.empty() && ec == std::errc() && end == text.data() + text.size();
        return ok ? std::string() : "must be a whole number from 0 to 2^64 - 1";
    },
    "");

void add_model_options(CLI::App& sub, ModelOptions& m) {
    const std::string group = "Measurement model (GUM budget, Monte Carlo)";
    sub.add_option("--noise-bw", m.noise_bw_hz,
                   "noise bandwidth of the readings, Hz (0: no jitter)")
        ->check(not_negative)
        ->type_name("HZ")
        ->capture_default_str()
        ->group(group);
    sub.add_option("--tau", m.tau_s, "integration time per reading, s (0: no jitter)")
        ->check(not_negative)
        ->type_name("S")
        ->capture_default_str()
        ->group(group);
    sub.add_option("--trials", m.trials, "Monte Carlo trials")
        ->check(whole_number)
        ->check(CLI::Range(std::size_t{1}, std::size_t{100'000'000}))
        ->type_name("N")
        ->capture_default_str()
        ->group(group);
    sub.add_option("--seed", m.seed, "Monte Carlo seed")
        ->check(whole_number)
        ->type_name("N")
        ->capture_default_str()
        ->group(group);
    sub.add_option("--spec-shape", m.spec_shape,
                   "distribution of the analyzer's specified uncertainties")
        ->check(CLI::IsMember({"normal", "rect"}))
        ->type_name("normal|rect")
        ->capture_default_str()
        ->group(group);
}

std::string one_line(std::string s) {
    std::ranges::replace(s, '\n', ' ');
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

}  // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    // The start-up window supplies every value the user does not give; the
    // command then carries the user's inputs out on it.
    Calculator started = make_calculator();
    Form_Load(started);

    CLI::App app{
        "Noise-figure calculator (Y-factor method): the window's figures, a GUM "
        "uncertainty budget and a Monte Carlo of the measurement.",
        "orlavex-cli"};
    app.set_version_flag("--version", "orlavex-cli " ORLAVEX_VERSION);
    app.require_subcommand(0, 1);
    app.fallthrough();
    bool json = false;
    app.add_flag("--json", json, "print JSON instead of a table");

    WindowInputs point_inputs;
    ModelOptions model;
    CLI::App* point = app.add_subcommand(
        "point", "predict a measurement: the window's figures, GUM budget, Monte Carlo");
    add_field_options(*point, point_inputs, started, {Scope::setup, Scope::prediction});
    add_choices(*point, point_inputs, true);
    add_model_options(*point, model);

    WindowInputs evaluate_inputs;
    evaluate_inputs.manual = true;
    CLI::App* evaluate = app.add_subcommand(
        "evaluate", "evaluate four measured levels, classic (as the window) and exact");
    add_field_options(*evaluate, evaluate_inputs, started, {Scope::setup, Scope::levels});
    add_choices(*evaluate, evaluate_inputs, false);
    evaluate->get_option("--meas-on")->required();
    evaluate->get_option("--meas-off")->required();

    SweepRequest sweep_request;
    sweep_request.model.trials = sweep_trials;
    CLI::App* sweep = app.add_subcommand(
        "sweep", "evaluate the set-up across a range of one input: table, CSV, JSON, plot");
    add_field_options(*sweep, sweep_request.inputs, started, {Scope::setup, Scope::prediction});
    add_choices(*sweep, sweep_request.inputs, true);
    add_model_options(*sweep, sweep_request.model);
    add_sweep_options(*sweep, sweep_request, false);

    SweepRequest advise_request;
    CLI::App* advise = app.add_subcommand(
        "advise", "rank the noise sources and preamplifier choices across a frequency band");
    add_field_options(*advise, advise_request.inputs, started, {Scope::setup, Scope::prediction});
    add_choices(*advise, advise_request.inputs, true);
    add_sweep_options(*advise, advise_request, true);

    CLI::App* listing = app.add_subcommand("catalogue", "list the built-in instrument models");
    listing->require_subcommand(0, 1);
    CLI::App* analyzers = listing->add_subcommand("analyzers", "the analyzer models");
    CLI::App* noise_sources = listing->add_subcommand("noise-sources", "the noise source models");

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
        err << "orlavex-cli: " << one_line(e.what()) << '\n';
        return exit_bad_input;
    }

    if (sweep->parsed()) return run_sweep_command(started, sweep_request, json, out, err);
    if (advise->parsed()) return run_advise_command(started, advise_request, json, out, err);
    std::string why;
    if (app.get_subcommands().empty()) {
        why = "give a command: point, evaluate or catalogue (see --help)";
    } else if (listing->parsed() && listing->get_subcommands().empty()) {
        why = "catalogue: give analyzers or noise-sources";
    } else if (point->parsed()) {
        why = run_point(started, point_inputs, model, json, out);
    } else if (evaluate->parsed()) {
        why = run_evaluate(started, evaluate_inputs, json, out);
    } else if (analyzers->parsed()) {
        if (json) {
            out << analyzers_json().dump(2) << '\n';
        } else {
            print_analyzers(out);
        }
    } else if (noise_sources->parsed()) {
        if (json) {
            out << noise_sources_json().dump(2) << '\n';
        } else {
            print_noise_sources(out);
        }
    }
    if (!why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }
    return 0;
}

}  // namespace orlavex::cli

#include "cli/report_command.h"

#include "cli/named_argument.h"
#include "cli/plot_file.h"
#include "cli/progress_line.h"
#include "cli/run.h"
#include "cli/setup_file_options.h"
#include "cli/sweep_chart.h"
#include "report/plan_report.h"
#include "report/report_format.h"
#include "report/report_json.h"

namespace orlavex::cli {

namespace {

// What the sweep (and the advice, when asked) gives the report.
struct Planned {
    app::SweepRequest asked;
    planning::Sweep sweep;
    std::vector<std::string> notes;
    planning::SweepResult result;
    std::optional<planning::Advice> advice;
};

Planned plan(const ReportRequest& r, std::ostream& err) {
    Planned p;
    p.asked = typed_sweep_request(r.sweep);
    p.sweep = app::make_sweep(p.asked, {r.sweep.inputs.strict, app::Naming::flag}, p.notes);
    for (const std::string& note : p.notes)
        err << "orlavex-cli: note: " << note << '\n';
    planning::SweepProgress progress;
    {
        const ProgressLine line(
            "report", "points",
            [&] {
                return Progress{progress.done.load(), p.asked.points};
            },
            stderr_display());
        p.result = planning::run_sweep(p.sweep, progress);
    }
    if (r.advise) {
        planning::SweepProgress advised;
        const ProgressLine line(
            "advise", "points",
            [&] {
                return Progress{advised.done.load(), advised.total.load()};
            },
            stderr_display());
        p.advice = planning::advise(p.sweep, advised);
    }
    return p;
}

// Why the report cannot go to FILE; empty when it can.
std::string output_refusal(const std::string& file) {
    if (!report::report_format_of(file))
        return "-o: the report file must end in .html or .pdf: " + file;
    if (std::string why = plot_file_refusal(file, "-o"); !why.empty()) return why;
    if (!plot_helper_path())
        return "report needs orlavex-plot beside orlavex-cli or in ../libexec/orlavex";
    return {};
}

}  // namespace

void add_report_options(CLI::App& sub, ReportRequest& r, bool from_file) {
    add_sweep_options(sub, r.sweep, false, from_file);
    // The report is the output: no table, CSV or JSON beside it.
    sub.remove_option(sub.get_option("--format"));
    sub.remove_option(sub.get_option("--plot"));
    sub.add_option("-o,--output", r.output, "the report: FILE.html or FILE.pdf")
        ->required()
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Output");
    sub.add_option("--paper", r.paper, "the PDF's paper size")
        ->check(CLI::IsMember({"a4", "letter"}))
        ->capture_default_str()
        ->group("Output");
    sub.add_flag("--advise", r.advise,
                 "also rank the noise sources and preamplifier choices (the five best)")
        ->group("Output");
}

int run_report_command(const ReportRequest& r, std::ostream& err) {
    if (const std::string why = output_refusal(r.output); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }
    const std::optional<Planned> planned = unless_refused(err, [&] { return plan(r, err); });
    if (!planned) return exit_bad_input;
    if (const std::string why = save_setup(r.sweep.inputs.files, planned->asked); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }
    const report::ReportContent content =
        report::plan_report({planned->asked.setup, planned->sweep, planned->result, planned->notes,
                             planned->advice ? &*planned->advice : nullptr, report::utc_now_text(),
                             ORLAVEX_VERSION, &planned->asked.embedded});
    const std::string why = run_plot_helper({"--report", r.output, r.paper},
                                            report::to_helper_input(content), r.output, "report");
    if (!why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }
    return 0;
}

}  // namespace orlavex::cli

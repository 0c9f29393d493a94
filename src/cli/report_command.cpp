#include "cli/report_command.h"

#include "cli/measured_report.h"
#include "cli/named_argument.h"
#include "cli/plot_file.h"
#include "cli/progress_line.h"
#include "cli/run.h"
#include "cli/setup_file_options.h"
#include "cli/sweep_chart.h"
#include "report/plan_report.h"
#include "report/report_format.h"
#include "report/report_json.h"

#include <algorithm>
#include <string_view>

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

// The options a plan's report takes and a measurement's does not: the
// readings give the frequencies, and the plan beside them is swept at
// those alone.
constexpr std::string_view plan_only[] = {"over", "from",       "to",       "points",   "log",
                                          "mc",   "match_form", "fixed_if", "fixed_lo", "advise"};

int measured_report_command(const ReportRequest& r, std::ostream& err) {
    std::string why;
    for (const std::string_view keyword : plan_only)
        if (why.empty() && r.sweep.inputs.files.given.contains(std::string(keyword))) {
            std::string option(keyword);
            std::ranges::replace(option, '_', '-');
            why = "--readings gives the frequencies of the report: do not give --" + option;
        }
    if (why.empty()) {
        MeasuredReportRequest request;
        request.output = r.output;
        request.paper = r.paper;
        request.readings.path = r.readings;
        request.readings.calibration = r.calibration;
        // The readings are evaluated, and the plan beside them swept, with
        // the ENR table given.
        WindowInputs inputs = r.sweep.inputs;
        inputs.enr_table = r.sweep.enr_table;
        why = write_measured_report(inputs, r.sweep.model, request, err);
    }
    if (why.empty()) return 0;
    err << "orlavex-cli: " << why << '\n';
    return exit_bad_input;
}

}  // namespace

std::string report_output_refusal(const std::string& file, const std::string& option) {
    if (!report::report_format_of(file))
        return option + ": the report file must end in .html or .pdf: " + file;
    if (std::string why = plot_file_refusal(file, option); !why.empty()) return why;
    if (!plot_helper_path())
        return "report needs orlavex-plot beside orlavex-cli or in ../libexec/orlavex";
    return {};
}

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
    sub.add_option("--readings", r.readings,
                   "a measurement's report: these readings (CSV, as evaluate --readings takes "
                   "them) evaluated beside the plan at their frequencies")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Readings");
    sub.add_option("--calibration", r.calibration,
                   "the calibration levels of --readings in a file of their own")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group("Readings");
}

int run_report_command(const ReportRequest& r, std::ostream& err) {
    if (!r.readings.empty()) return measured_report_command(r, err);
    if (!r.calibration.empty()) {
        err << "orlavex-cli: --calibration is for --readings\n";
        return exit_bad_input;
    }
    if (const std::string why = report_output_refusal(r.output); !why.empty()) {
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

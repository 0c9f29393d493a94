#include "cli/sweep_command.h"

#include "app/results/sweep_chart_data.h"
#include "app/results/sweep_output.h"
#include "app/setup_file/export_setup.h"
#include "charts/image_format.h"
#include "cli/plot_file.h"
#include "cli/progress_line.h"
#include "cli/run.h"
#include "cli/setup_file_options.h"
#include "cli/sweep_chart.h"
#include "cli/sweep_table.h"
#include "datafiles/file_error.h"

namespace orlavex::cli {

namespace {

std::string chart_title(const app::Setup& setup) {
    return "Uncertainty of the DUT noise figure (analyzer " + app::analyzer_name(setup) +
           ", noise source " + app::noise_source_name(setup) + ")";
}

}  // namespace

int run_sweep_command(const SweepRequest& request, bool json, std::ostream& out,
                      std::ostream& err) {
    if (!request.plot.empty() && !charts::image_format_of(request.plot)) {
        err << "orlavex-cli: --plot: the file must end in .png or .svg: " << request.plot << '\n';
        return exit_bad_input;
    }
    if (!request.plot.empty()) {
        if (const std::string why = plot_file_refusal(request.plot); !why.empty()) {
            err << "orlavex-cli: " << why << '\n';
            return exit_bad_input;
        }
    }
    const std::optional<app::SweepRequest> typed =
        unless_refused(err, [&] { return typed_sweep_request(request); });
    if (!typed) return exit_bad_input;
    const std::optional<planning::Sweep> sweep =
        unless_refused(err, [&] { return make_sweep(*typed, request.inputs.strict, err); });
    if (!sweep) return exit_bad_input;
    planning::SweepProgress progress;
    const std::optional<planning::SweepResult> swept = [&] {
        const ProgressLine line(
            "sweep", "points",
            [&] {
                return Progress{progress.done.load(), typed->points};
            },
            stderr_display());
        return unless_refused(err, [&] { return planning::run_sweep(*sweep, progress); });
    }();
    if (!swept) return exit_bad_input;
    const planning::SweepResult& result = *swept;
    if (const std::string why = save_setup(request.inputs.files, *typed); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }

    const std::string format = json ? "json" : request.format;
    if (format == "csv") {
        app::write_sweep_csv(out, result, typed->monte_carlo);
    } else if (format == "json") {
        app::write_sweep_json(out, result, typed->monte_carlo);
    } else {
        print_sweep_table(out, result, typed->monte_carlo);
    }
    out.flush();

    if (!request.plot.empty()) {
        charts::SweepChartData chart =
            app::chart_data(result, chart_title(typed->setup), typed->log);
        chart.setup = app::export_setup_text(*typed);
        const std::string why = draw_with_helper(chart, request.plot);
        if (!why.empty()) {
            err << "orlavex-cli: " << why << '\n';
            return exit_bad_input;
        }
    }
    return 0;
}

}  // namespace orlavex::cli

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

#include <algorithm>
#include <iterator>
#include <span>

namespace orlavex::cli {

namespace {

std::string chart_title(const app::Setup& setup) {
    return "Uncertainty of the DUT noise figure (analyzer " + app::analyzer_name(setup) +
           ", noise source " + app::noise_source_name(setup) + ")";
}

// How far the sweep has come, on standard error.
ProgressLine sweep_progress(const planning::SweepProgress& progress, std::size_t total,
                            ProgressDisplay display) {
    return ProgressLine(
        "sweep", "points",
        [&progress, total] {
            return Progress{progress.done.load(), total};
        },
        display);
}

// The sweep's CSV or JSON written as its points are evaluated, none of them
// kept (only the chart's part of each, when a plot is asked for): the
// sweep's memory does not grow with its points. Empty when refused.
std::optional<planning::SweepResult> stream_rows(const planning::Sweep& sweep,
                                                 const app::SweepRequest& typed, bool json,
                                                 std::vector<charts::ChartPoint>* chart,
                                                 std::ostream& out, std::ostream& err) {
    using Writer = app::SweepStreamWriter;
    Writer writer(out, json ? Writer::Format::json : Writer::Format::csv, typed.monte_carlo);
    planning::SweepProgress progress;
    const ProgressLine line = sweep_progress(progress, typed.points, stderr_display_beside_rows());
    const auto sink = [&](const planning::SweepResult& outline,
                          std::span<const planning::SweepPoint> chunk) {
        writer(outline, chunk);
        if (chart) std::ranges::transform(chunk, std::back_inserter(*chart), app::chart_point);
    };
    std::optional<planning::SweepResult> outline =
        unless_refused(err, [&] { return planning::stream_sweep(sweep, progress, sink); });
    if (outline) writer.finish(*outline);
    return outline;
}

std::optional<planning::SweepResult> run_kept(const planning::Sweep& sweep,
                                              const app::SweepRequest& typed, std::ostream& err) {
    planning::SweepProgress progress;
    const ProgressLine line = sweep_progress(progress, typed.points, stderr_display());
    return unless_refused(err, [&] { return planning::run_sweep(sweep, progress); });
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

    // The table sizes its columns to every point; CSV and JSON stream.
    const std::string format = json ? "json" : request.format;
    std::vector<charts::ChartPoint> chart_points;
    std::optional<planning::SweepResult> result;
    if (format == "table") {
        result = run_kept(*sweep, *typed, err);
        if (result) print_sweep_table(out, *result, typed->monte_carlo);
    } else {
        result = stream_rows(*sweep, *typed, format == "json",
                             request.plot.empty() ? nullptr : &chart_points, out, err);
    }
    out.flush();
    if (!result) return exit_bad_input;
    if (const std::string why = save_setup(request.inputs.files, *typed); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }

    if (!request.plot.empty()) {
        charts::SweepChartData chart =
            app::chart_outline(*result, chart_title(typed->setup), typed->log);
        chart.points = format == "table" ? app::chart_data(*result, {}, false).points
                                         : std::move(chart_points);
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

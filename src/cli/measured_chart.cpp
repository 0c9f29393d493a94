#include "cli/measured_chart.h"

#include "app/results/measured_plan.h"
#include "app/setup_file/export_setup.h"
#include "charts/image_format.h"
#include "cli/plot_file.h"
#include "datafiles/file_error.h"

#include <optional>

namespace orlavex::cli {

std::string measured_plot_refusal(const std::string& file, const std::string& option) {
    if (!charts::image_format_of(file))
        return option + ": the file must end in .png or .svg: " + file;
    return plot_file_refusal(file, option);
}

std::string measured_chart(const EvaluatedReadings& evaluated, bool with_plan, bool strict,
                           charts::SweepChartData& data) {
    std::optional<app::MeasuredPlan> plan;
    if (with_plan) {
        std::vector<double> freqs;
        for (const app::MeasuredPoint& p : evaluated.points)
            freqs.push_back(p.freq_ghz);
        try {
            plan = app::plan_at(evaluated.typed, freqs, {strict, app::Naming::flag});
        } catch (const datafiles::FileError& e) {
            return e.what();
        } catch (const planning::SweepError& e) {
            return std::string("the plan beside the readings: ") + e.what();
        }
    }
    const app::Setup& setup = evaluated.typed.setup;
    data = app::measured_chart_data(evaluated.points, plan ? &plan->result : nullptr,
                                    "Measured noise figure of the DUT (analyzer " +
                                        app::analyzer_name(setup) + ", noise source " +
                                        app::noise_source_name(setup) + ")");
    data.setup = app::export_setup_text(evaluated.typed);
    return {};
}

}  // namespace orlavex::cli

#include "report/plan_report.h"

#include "app/results/sweep_chart_data.h"
#include "report/report_sections.h"

#include <array>
#include <cmath>
#include <ctime>

namespace orlavex::report {

std::optional<std::size_t> worst_point(const planning::SweepResult& result) {
    std::optional<std::size_t> worst;
    for (std::size_t i = 0; i < result.points.size(); ++i) {
        const planning::SweepPoint& p = result.points[i];
        if (!p.in_range || !p.gum.valid || !std::isfinite(p.gum.U_db)) continue;
        if (!worst || p.gum.U_db > result.points[*worst].gum.U_db) worst = i;
    }
    return worst;
}

std::vector<std::size_t> shown_points(std::size_t count, std::size_t limit,
                                      std::optional<std::size_t> worst) {
    std::vector<std::size_t> shown;
    if (count == 0 || limit == 0) return shown;
    const std::size_t picked = std::min(count, limit);
    for (std::size_t k = 0; k < picked; ++k) {
        // Rounded to the nearest point, so that both ends are shown.
        const std::size_t i =
            picked == 1 ? 0 : (k * (count - 1) * 2 + (picked - 1)) / ((picked - 1) * 2);
        if (shown.empty() || shown.back() != i) shown.push_back(i);
    }
    if (worst && *worst < count && !std::ranges::binary_search(shown, *worst))
        shown.insert(std::ranges::upper_bound(shown, *worst), *worst);
    return shown;
}

std::string utc_now_text() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M UTC", &utc);
    return text.data();
}

ReportContent plan_report(const PlanReportInput& input) {
    ReportContent content;
    content.title = "Noise-figure measurement plan";
    content.subtitle = "Analyzer " + app::analyzer_name(input.setup) + ", noise source " +
                       app::noise_source_name(input.setup);
    content.date = input.date;
    content.version = input.version;
    content.chart = app::chart_data(
        input.result, "Uncertainty of the DUT noise figure (" + content.subtitle + ")",
        input.sweep.spacing == planning::Spacing::logarithmic);
    content.sections = {setup_section(input), instruments_section(input), files_section(input),
                        model_section(input), charts_section(input),      sweep_section(input),
                        budget_section(input)};
    if (input.advice) content.sections.push_back(advice_section(*input.advice));
    content.sections.push_back(notes_section(input));
    return content;
}

}  // namespace orlavex::report

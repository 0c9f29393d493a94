#include "cli/measured_report.h"

#include "app/results/measured_plan.h"
#include "cli/report_command.h"
#include "cli/sweep_chart.h"
#include "datafiles/file_error.h"
#include "datafiles/readings_file.h"
#include "datafiles/sha256.h"
#include "report/measured_report.h"
#include "report/report_json.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace orlavex::cli {

namespace {

// The facts of the file at PATH the report names as SHOWN_AS (its own name
// without its folder when empty).
report::ReadingsFileFacts file_facts(const std::string& role, const std::string& path,
                                     const std::string& shown_as, std::size_t frequencies) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return {role, shown_as.empty() ? std::filesystem::path(path).filename().string() : shown_as,
            in.bad() ? "(not readable)" : datafiles::sha256_hex(bytes), frequencies};
}

std::vector<report::ReadingsFileFacts> files_of(const ReadingsRequest& r,
                                                const EvaluatedReadings& evaluated) {
    std::vector<report::ReadingsFileFacts> files = {
        file_facts("Readings", r.path, r.shown_as, evaluated.points.size())};
    if (!r.calibration.empty()) {
        const datafiles::Readings calibration =
            datafiles::read_readings(r.calibration, datafiles::ReadingsColumns::calibration);
        files.push_back(file_facts("Calibration", r.calibration, "", calibration.points.size()));
    }
    return files;
}

}  // namespace

std::string write_measured_report(const WindowInputs& inputs, const app::ModelInputs& model,
                                  const MeasuredReportRequest& r, std::ostream& err) {
    if (std::string why = report_output_refusal(r.output); !why.empty()) return why;
    EvaluatedReadings evaluated;
    if (std::string why = evaluate_readings_file(inputs, model, r.readings, evaluated);
        !why.empty())
        return why;
    std::vector<double> freqs;
    for (const app::MeasuredPoint& p : evaluated.points)
        freqs.push_back(p.freq_ghz);
    std::optional<app::MeasuredPlan> plan;
    std::vector<report::ReadingsFileFacts> files;
    try {
        plan = app::plan_at(evaluated.typed, freqs, {inputs.strict, app::Naming::flag});
        files = files_of(r.readings, evaluated);
    } catch (const datafiles::FileError& e) {
        return e.what();
    } catch (const planning::SweepError& e) {
        return std::string("the plan beside the readings: ") + e.what();
    }
    for (const std::string& note : plan->notes)
        err << "orlavex-cli: note: " << note << '\n';
    const report::ReportContent content = report::measured_report(
        {{evaluated.typed.setup, plan->sweep, plan->result, plan->notes, nullptr,
          report::utc_now_text(), ORLAVEX_VERSION, &evaluated.typed.embedded},
         evaluated.points,
         evaluated.rows,
         std::move(files)});
    return run_plot_helper({"--report", r.output, r.paper}, report::to_helper_input(content),
                           r.output, "report");
}

}  // namespace orlavex::cli

#include "planner/measurement_report.h"

#include "app/results/measured_plan.h"
#include "datafiles/file_error.h"
#include "datafiles/readings_file.h"
#include "datafiles/sha256.h"
#include "plot/report_files.h"
#include "report/measured_report.h"

#include <optional>

namespace orlavex::planner {

std::string measurement_report(const session::PlannerSession& session,
                               const TakenReadings& readings, const std::string& date,
                               report::ReportContent& out) {
    session::MeasuredReadings evaluated;
    const app::SweepRequest request = session.sweep_request();
    std::optional<app::MeasuredPlan> plan;
    try {
        const datafiles::Readings parsed =
            datafiles::parse_readings(readings.text, readings.shown_as);
        if (std::string why =
                session.evaluate_readings(parsed, readings.shown_as, nullptr, evaluated);
            !why.empty())
            return why;
        std::vector<double> freqs;
        for (const app::MeasuredPoint& p : evaluated.points)
            freqs.push_back(p.freq_ghz);
        plan = app::plan_at(request, freqs, {false, app::Naming::flag});
    } catch (const datafiles::FileError& e) {
        return e.what();
    } catch (const planning::SweepError& e) {
        return std::string("the plan beside the readings: ") + e.what();
    }
    // Each point as the command line's table and report take it: no budget.
    std::vector<app::Json> rows;
    for (const app::MeasuredPoint& p : evaluated.points)
        rows.push_back(app::measured_point_json(p, false));
    out = report::measured_report(
        {{request.setup, plan->sweep, plan->result, plan->notes, nullptr, date, ORLAVEX_VERSION,
          &request.embedded},
         evaluated.points,
         rows,
         {{"Readings", readings.shown_as, datafiles::sha256_hex(readings.text),
           evaluated.points.size()}}});
    return {};
}

QString write_measurement_report(const session::PlannerSession& session,
                                 const TakenReadings& readings, const QString& path,
                                 report::Paper paper) {
    report::ReportContent content;
    if (const std::string why =
            measurement_report(session, readings, report::utc_now_text(), content);
        !why.empty())
        return QString::fromStdString(why);
    try {
        report::write_report(content, path, paper);
    } catch (const report::ReportFileError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

}  // namespace orlavex::planner

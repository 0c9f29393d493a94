#include "planned_readings.h"

#include "app/inputs/sweep_request.h"
#include "app/setup_file/setup_file.h"
#include "cli_runner.h"
#include "measure/simulation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace orlavex::cli::test {

std::string exact_number(double x) {
    std::ostringstream s;
    s.precision(17);
    s << x;
    return s.str();
}

planning::SweepResult saved_plan(std::vector<std::string> args, const std::string& setup) {
    args.insert(args.begin(), "sweep");
    args.insert(args.end(), {"--save-setup", setup});
    const CliRun saved = run_cli(args);
    EXPECT_EQ(saved.status, 0) << saved.err;
    std::vector<std::string> notes;
    return planning::run_sweep(app::make_sweep(app::read_setup_file(setup), {}, notes));
}

std::string predicted_readings_file(const planning::SweepResult& plan, const std::string& file) {
    std::ofstream out(file);
    out << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n";
    for (const planning::SweepPoint& p : plan.points) {
        const measure::ReadingLevels l =
            measure::reading_levels(measure::simulate_readings(p.setup, {}));
        out << exact_number(p.freq_ghz) << ',' << exact_number(l.cal_off_dbm) << ','
            << exact_number(l.cal_on_dbm) << ',' << exact_number(l.meas_off_dbm) << ','
            << exact_number(l.meas_on_dbm) << '\n';
    }
    return file;
}

nlohmann::json evaluated_rows(const std::string& setup, const std::string& readings) {
    const CliRun evaluated =
        run_cli({"evaluate", "--setup", setup, "--readings", readings, "--format", "json"});
    EXPECT_EQ(evaluated.status, 0) << evaluated.err;
    return evaluated.status == 0 ? evaluated.json() : nlohmann::json::array();
}

}  // namespace orlavex::cli::test

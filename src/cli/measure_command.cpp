#include "cli/measure_command.h"

#include "app/inputs/measure_frequencies.h"
#include "cli/evaluate_readings.h"
#include "cli/measure_interrupt.h"
#include "cli/measured_chart.h"
#include "cli/measured_report.h"
#include "cli/report_command.h"
#include "cli/window_inputs.h"
#include "datafiles/file_error.h"
#include "instruments/measurement_run.h"

#include <unistd.h>
#include <filesystem>

namespace orlavex::cli {

namespace {

namespace fs = std::filesystem;
using namespace instruments;

// Everything a run needs, checked before the bench is touched.
struct MeasurePlan {
    WindowInputs inputs;  // the set-up file, as `evaluate --readings` takes it
    MeasurementPlan bench;
};

// The DUT's input frequencies into B and, for a converting DUT, the output
// each reaches with the LO held where TYPED puts it.
std::string frequencies(const MeasureRequest& r, const app::SweepRequest& typed,
                        MeasurementPlan& b) {
    if (std::string why =
            app::band_refusal(r.from_ghz, r.to_ghz, r.points, "--from", "--to", "--points");
        !why.empty())
        return why;
    b.freqs_ghz = app::measure_frequencies(r.from_ghz, r.to_ghz, r.points);
    return app::measured_outputs(typed, b.freqs_ghz, "--from and --to", b.outputs_ghz);
}

std::string plan_of(const MeasureRequest& r, MeasurePlan& plan) {
    plan.inputs.manual = true;
    plan.inputs.files.setup = r.setup;
    app::SweepRequest typed;
    try {
        if (std::string why = typed_request(plan.inputs, {}, typed); !why.empty()) return why;
        if (const auto refused = take_instruments(
                {r.analyzer_address, r.profile, r.source, r.supply_profile}, plan.bench)) {
            return (refused->input == InstrumentInput::profile ? "--profile: " : "--source: ") +
                   refused->why;
        }
    } catch (const datafiles::FileError& e) {
        return e.what();
    } catch (const ProfileError& e) {
        return e.what();
    } catch (const ResourceError& e) {
        return e.what();
    }
    if (!r.calibration.empty() && !typed.setup.second_stage)
        return "--calibration is for second-stage correction, which the set-up turns off";
    MeasurementPlan& b = plan.bench;
    b.with_calibration = typed.setup.second_stage && r.calibration.empty();
    if (!b.with_calibration && !r.save_calibration.empty())
        return "--save-calibration: this run measures no calibration";
    b.repeat = r.repeat;
    b.yes = r.yes;
    b.timeout = Milliseconds(static_cast<long long>(r.timeout_s * 1000));
    if (!r.plot.empty()) {
        if (std::string why = measured_plot_refusal(r.plot); !why.empty()) return why;
    }
    if (!r.report.empty()) {
        if (std::string why = report_output_refusal(r.report, "--report"); !why.empty()) return why;
    }
    return frequencies(r, typed, b);
}

}  // namespace

int run_measure_command(const MeasureRequest& r, std::ostream& out, std::ostream& err) {
    MeasurePlan plan;
    if (const std::string why = plan_of(r, plan); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return 2;
    }
    MeasurementOutcome o;
    {
        // No progress line while the source is switched at the prompt.
        Interrupt interrupt(r.source != "prompt");
        o = run_measurement(plan.bench, interrupt);
    }
    const std::string comment = "orlavex-cli measure, analyzer " + r.analyzer_address + " (" +
                                (o.identity.empty() ? plan.bench.analyzer.name : o.identity) +
                                "), profile " + plan.bench.analyzer.name;
    const fs::path readings =
        r.save_readings.empty()
            ? fs::temp_directory_path() / ("orlavex-measure-" + std::to_string(::getpid()) + ".csv")
            : fs::path(r.save_readings);
    std::string kept;
    if (!o.measured.empty()) {
        kept = write_text(readings, readings_text(o.measured, plan.bench.with_calibration, comment,
                                                  reading_span(plan.bench.analyzer)));
    }
    if (kept.empty() && !o.calibration.empty() && !r.save_calibration.empty())
        kept = write_text(r.save_calibration, calibration_text(o.calibration, comment));
    if (!o.failure.empty()) {
        std::string line = where_stopped(o) + ": " + o.failure + "; " +
                           std::to_string(o.measured.size()) + " of " +
                           std::to_string(plan.bench.freqs_ghz.size()) + " frequencies measured";
        if (!o.measured.empty())
            line += r.save_readings.empty() ? " (give --save-readings to keep them)"
                                            : ", kept in " + r.save_readings;
        if (!o.source_safe) line += "; the noise source may still be on: switch it off";
        if (!kept.empty()) line += "; " + kept;
        if (r.save_readings.empty()) fs::remove(readings);
        err << "orlavex-cli: " << line << '\n';
        return o.interrupted ? exit_interrupted : 2;
    }
    if (!kept.empty()) {
        err << "orlavex-cli: " << kept << '\n';
        return 2;
    }
    const ReadingsRequest evaluated{
        readings.string(), r.calibration, r.format,
        r.save_readings.empty() ? "measured (not saved: give --save-readings)" : "", r.plot};
    std::string why = run_evaluate_readings(plan.inputs, {}, evaluated, out);
    if (why.empty() && !r.report.empty())
        why = write_measured_report(plan.inputs, {}, {evaluated, r.report}, err);
    if (r.save_readings.empty()) fs::remove(readings);
    if (!why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return 2;
    }
    return 0;
}

}  // namespace orlavex::cli

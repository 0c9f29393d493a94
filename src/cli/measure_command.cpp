#include "cli/measure_command.h"

#include "cli/evaluate_readings.h"
#include "cli/measure_bench.h"
#include "cli/measure_readings.h"
#include "cli/measured_chart.h"
#include "cli/measured_report.h"
#include "cli/progress_line.h"
#include "cli/report_command.h"
#include "cli/window_inputs.h"
#include "core/field_entry.h"
#include "datafiles/file_error.h"
#include "instruments/resource.h"

#include <unistd.h>
#include <filesystem>
#include <optional>

namespace orlavex::cli {

namespace {

namespace fs = std::filesystem;
using namespace instruments;

// Everything a run needs, checked before the bench is touched.
struct MeasurePlan {
    WindowInputs inputs;           // the set-up file, as `evaluate --readings` takes it
    bool with_calibration = true;  // second-stage correction, calibration not from a file
    std::vector<double> freqs_ghz;
    Profile analyzer, supply;
    Resource analyzer_address, supply_address;
};

// A shipped profile NAME (data/instruments/NAME.json, installed beside the
// program or in the source tree of a build), or the file NAME.
Profile profile_named(const std::string& name) {
    if (name.find('/') != std::string::npos || name.ends_with(".json")) return read_profile(name);
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    for (const fs::path& dir : {exe.parent_path() / "../share/orlavex/instruments",
                                fs::path(ORLAVEX_SOURCE_DATA_DIR) / "instruments"}) {
        if (fs::exists(dir / (name + ".json"), ec)) return read_profile(dir / (name + ".json"));
    }
    throw ProfileError("no shipped profile named \"" + name + "\" (give a file)");
}

std::string frequencies(const MeasureRequest& r, std::vector<double>& out) {
    if (!(r.from_ghz > 0) || !(r.to_ghz >= r.from_ghz))
        return "--from and --to: frequencies above 0 GHz, --to at or above --from";
    if (r.points > 1 && r.to_ghz == r.from_ghz) return "--points above 1 needs --to above --from";
    // Each frequency as the window's field holds it: the analyzer is tuned
    // to the frequency the readings are evaluated at.
    const auto field = app::find_field_input("freq")->field;
    for (std::size_t i = 0; i < r.points; ++i) {
        const double f = r.points == 1
                             ? r.from_ghz
                             : r.from_ghz + (r.to_ghz - r.from_ghz) * static_cast<double>(i) /
                                                static_cast<double>(r.points - 1);
        out.push_back(core::held_as_typed(field, f).value_or(f));
    }
    return {};
}

std::string plan_of(const MeasureRequest& r, MeasurePlan& plan) {
    plan.inputs.manual = true;
    plan.inputs.files.setup = r.setup;
    app::SweepRequest typed;
    try {
        if (std::string why = typed_request(plan.inputs, {}, typed); !why.empty()) return why;
        plan.analyzer = profile_named(r.profile);
        if (plan.analyzer.kind != ProfileKind::analyzer)
            return "--profile: \"" + plan.analyzer.name + "\" is not an analyzer's profile";
        plan.analyzer_address = parse_resource(r.analyzer_address);
        if (r.source.starts_with("supply:")) {
            plan.supply_address = parse_resource(r.source.substr(7));
            plan.supply = profile_named(r.supply_profile);
        } else if (r.source != "analyzer" && r.source != "prompt" &&
                   !r.source.starts_with("command:")) {
            return "--source: give analyzer, supply:RES, command:'CMD {state}' or prompt";
        }
    } catch (const datafiles::FileError& e) {
        return e.what();
    } catch (const ProfileError& e) {
        return e.what();
    } catch (const ResourceError& e) {
        return e.what();
    }
    if (typed.setup.freq_conv) return "measure does not drive a frequency-converting DUT";
    if (!r.calibration.empty() && !typed.setup.second_stage)
        return "--calibration is for second-stage correction, which the set-up turns off";
    plan.with_calibration = typed.setup.second_stage && r.calibration.empty();
    if (!plan.with_calibration && !r.save_calibration.empty())
        return "--save-calibration: this run measures no calibration";
    if (!r.plot.empty()) {
        if (std::string why = measured_plot_refusal(r.plot); !why.empty()) return why;
    }
    if (!r.report.empty()) {
        if (std::string why = report_output_refusal(r.report, "--report"); !why.empty()) return why;
    }
    return frequencies(r, plan.freqs_ghz);
}

std::unique_ptr<SourceSwitch> source_of(const MeasureRequest& r, const MeasurePlan& plan,
                                        Scpi& analyzer, Interrupt& interrupt, Milliseconds t) {
    if (r.source == "analyzer")
        return std::make_unique<ScpiSourceSwitch>(plan.analyzer_address, plan.analyzer, t,
                                                  &analyzer);
    if (r.source.starts_with("supply:"))
        return std::make_unique<ScpiSourceSwitch>(plan.supply_address, plan.supply, t, nullptr);
    if (r.source.starts_with("command:"))
        return std::make_unique<CommandSourceSwitch>(r.source.substr(8));
    return std::make_unique<PromptSourceSwitch>(interrupt);
}

// What a run gathered, and how it ended.
struct RunOutcome {
    std::vector<MeasuredFrequency> calibration, measured;
    std::string identity;
    std::string failure;  // empty when the run completed
    bool interrupted = false;
    bool source_safe = true;
    BenchPosition position;
};

// The progress line on a terminal, counting the calibration's and the DUT's
// frequencies together; none while the source is switched at the prompt.
std::unique_ptr<ProgressLine> progress(const MeasureRequest& r, const MeasurePlan& plan,
                                       const MeasureBench& bench) {
    if (r.source == "prompt") return nullptr;
    const std::size_t total = plan.freqs_ghz.size() * (plan.with_calibration ? 2 : 1);
    return std::make_unique<ProgressLine>(
        "measure", "frequencies",
        [&bench, total] {
            return Progress{bench.completed(), total};
        },
        stderr_display());
}

void run_bench(const MeasureRequest& r, const MeasurePlan& plan, Interrupt& interrupt,
               RunOutcome& o) {
    const Milliseconds timeout(static_cast<long long>(r.timeout_s * 1000));
    std::unique_ptr<SourceSwitch> source;
    std::optional<MeasureBench> bench;
    try {
        auto transport = open_transport(plan.analyzer_address, timeout);
        Scpi analyzer(*transport, timeout, "the analyzer");
        source = source_of(r, plan, analyzer, interrupt, timeout);
        bench.emplace(analyzer, plan.analyzer, *source, interrupt, r.repeat);
        o.identity = bench->prepare();
        if (plan.with_calibration) {
            bench->enter("the calibration");
            if (!r.yes) interrupt.ask("Connect the noise source straight to the analyzer.");
            bench->switch_dut(false);
            const auto line = progress(r, plan, *bench);
            bench->calibrate(plan.freqs_ghz, o.calibration);
        }
        bench->enter("the DUT measurement");
        if (!r.yes) interrupt.ask("Put the DUT between the noise source and the analyzer.");
        bench->switch_dut(true);
        const auto line = progress(r, plan, *bench);
        bench->measure(plan.freqs_ghz, o.calibration, o.measured);
        source->set(false);
        return;
    } catch (const Interrupted&) {
        o.interrupted = true;
        o.failure = "interrupted";
    } catch (const std::exception& e) {
        o.failure = e.what();
    }
    if (bench) o.position = bench->position();
    o.source_safe = !source || source->make_safe();
}

std::string where_stopped(const RunOutcome& o) {
    std::string at = "measure stopped in " + o.position.stage;
    if (o.position.freq_ghz > 0) at += " at " + scpi_text(o.position.freq_ghz) + " GHz";
    return at;
}

}  // namespace

int run_measure_command(const MeasureRequest& r, std::ostream& out, std::ostream& err) {
    MeasurePlan plan;
    if (const std::string why = plan_of(r, plan); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return 2;
    }
    RunOutcome o;
    {
        Interrupt interrupt;
        run_bench(r, plan, interrupt, o);
    }
    const std::string comment = "orlavex-cli measure, analyzer " + r.analyzer_address + " (" +
                                (o.identity.empty() ? plan.analyzer.name : o.identity) +
                                "), profile " + plan.analyzer.name;
    const fs::path readings =
        r.save_readings.empty()
            ? fs::temp_directory_path() / ("orlavex-measure-" + std::to_string(::getpid()) + ".csv")
            : fs::path(r.save_readings);
    std::string kept;
    if (!o.measured.empty()) {
        kept = write_text(readings, readings_text(o.measured, plan.with_calibration, comment));
    }
    if (kept.empty() && !o.calibration.empty() && !r.save_calibration.empty())
        kept = write_text(r.save_calibration, calibration_text(o.calibration, comment));
    if (!o.failure.empty()) {
        std::string line = where_stopped(o) + ": " + o.failure + "; " +
                           std::to_string(o.measured.size()) + " of " +
                           std::to_string(plan.freqs_ghz.size()) + " frequencies measured";
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

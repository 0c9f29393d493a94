#include "instruments/measurement_run.h"

#include "instruments/scpi.h"
#include "instruments/source_switch.h"

#include <algorithm>
#include <optional>

namespace orlavex::instruments {

namespace {

namespace fs = std::filesystem;

std::unique_ptr<SourceSwitch> source_of(const MeasurementPlan& plan, Scpi& analyzer,
                                        RunControl& control) {
    if (plan.source == "analyzer")
        return std::make_unique<ScpiSourceSwitch>(plan.analyzer_address, plan.analyzer,
                                                  plan.timeout, &analyzer);
    if (plan.source.starts_with("supply:"))
        return std::make_unique<ScpiSourceSwitch>(plan.supply_address, plan.supply, plan.timeout,
                                                  nullptr);
    if (plan.source.starts_with("command:"))
        return std::make_unique<CommandSourceSwitch>(plan.source.substr(8), control);
    return std::make_unique<PromptSourceSwitch>(control);
}

// Where the shipped profiles are: installed beside the program, or in the
// source tree of a build.
std::vector<fs::path> profile_dirs() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return {exe.parent_path() / "../share/orlavex/instruments",
            fs::path(ORLAVEX_SOURCE_DATA_DIR) / "instruments"};
}

}  // namespace

std::string source_refusal(const std::string& source) {
    if (source == "analyzer" || source == "prompt" || source.starts_with("supply:") ||
        source.starts_with("command:"))
        return {};
    return "give analyzer, supply:RES, command:'CMD {state}' or prompt";
}

std::optional<InstrumentRefusal> take_instruments(const InstrumentChoice& choice,
                                                  MeasurementPlan& plan) {
    plan.analyzer = profile_named(choice.profile);
    if (plan.analyzer.kind != ProfileKind::analyzer) {
        return InstrumentRefusal{InstrumentInput::profile,
                                 "\"" + plan.analyzer.name + "\" is not an analyzer's profile"};
    }
    plan.analyzer_address = parse_resource(choice.analyzer);
    if (choice.source.starts_with("supply:")) {
        plan.supply_address = parse_resource(choice.source.substr(7));
        plan.supply = profile_named(choice.supply_profile);
        if (plan.supply.kind != ProfileKind::supply) {
            return InstrumentRefusal{InstrumentInput::source,
                                     "the supply's profile \"" + plan.supply.name +
                                         "\" is not a supply's profile"};
        }
    } else if (std::string why = source_refusal(choice.source); !why.empty()) {
        return InstrumentRefusal{InstrumentInput::source, std::move(why)};
    }
    plan.source = choice.source;
    return std::nullopt;
}

std::vector<double> calibration_frequencies(const MeasurementPlan& plan) {
    if (plan.outputs_ghz.empty()) return plan.freqs_ghz;
    std::vector<double> freqs = plan.outputs_ghz;
    std::ranges::sort(freqs);
    const auto [first, last] = std::ranges::unique(freqs);
    freqs.erase(first, last);
    return freqs;
}

MeasurementOutcome run_measurement(const MeasurementPlan& plan, RunControl& control) {
    MeasurementOutcome o;
    std::unique_ptr<SourceSwitch> source;
    std::optional<MeasureBench> bench;
    const std::vector<double> calibration_freqs = calibration_frequencies(plan);
    const std::size_t total =
        plan.freqs_ghz.size() + (plan.with_calibration ? calibration_freqs.size() : 0);
    const auto watch = [&] {
        return control.watch([&bench] { return bench->completed(); }, total);
    };
    try {
        auto transport = open_transport(plan.analyzer_address, plan.timeout);
        Scpi analyzer(*transport, plan.timeout, "the analyzer");
        source = source_of(plan, analyzer, control);
        bench.emplace(analyzer, plan.analyzer, *source, control, plan.repeat);
        o.identity = bench->prepare();
        if (plan.with_calibration) {
            bench->enter("the calibration");
            if (!plan.yes) control.ask("Connect the noise source straight to the analyzer.");
            bench->switch_dut(false);
            const auto watching = watch();
            bench->calibrate(calibration_freqs, o.calibration);
        }
        bench->enter("the DUT measurement");
        if (!plan.yes) control.ask("Put the DUT between the noise source and the analyzer.");
        bench->switch_dut(true);
        const auto watching = watch();
        bench->measure({plan.freqs_ghz, plan.outputs_ghz}, o.calibration, o.measured);
        source->set(false);
        return o;
    } catch (const Interrupted&) {
        o.interrupted = true;
        o.failure = "interrupted";
    } catch (const std::exception& e) {
        o.failure = e.what();
    }
    if (bench) o.position = bench->position();
    o.source_safe = !source || source->make_safe();
    return o;
}

std::string where_stopped(const MeasurementOutcome& o) {
    std::string at = "measure stopped in " + o.position.stage;
    if (o.position.freq_ghz > 0) at += " at " + scpi_text(o.position.freq_ghz) + " GHz";
    return at;
}

std::vector<std::string> shipped_profiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::path& dir : profile_dirs()) {
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            if (entry.path().extension() != ".json") continue;
            std::string name = entry.path().stem().string();
            if (std::ranges::find(names, name) == names.end()) names.push_back(std::move(name));
        }
    }
    std::ranges::sort(names);
    return names;
}

Profile profile_named(const std::string& name) {
    if (name.find('/') != std::string::npos || name.ends_with(".json")) return read_profile(name);
    std::error_code ec;
    for (const fs::path& dir : profile_dirs()) {
        if (fs::exists(dir / (name + ".json"), ec)) return read_profile(dir / (name + ".json"));
    }
    throw ProfileError("no shipped profile named \"" + name + "\" (give a file)");
}

}  // namespace orlavex::instruments

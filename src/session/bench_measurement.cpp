#include "session/bench_measurement.h"

#include "app/inputs/measure_frequencies.h"
#include "instruments/scpi.h"

#include <cmath>

namespace orlavex::session {

namespace {

using namespace instruments;

Milliseconds milliseconds(double seconds) {
    return Milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

}  // namespace

std::string measurement_plan(const MeasureChoices& c, const app::SweepRequest& request,
                             MeasurementPlan& plan) {
    if (const std::string why =
            app::band_refusal(c.from_ghz, c.to_ghz, c.points, "From", "To", "Points");
        !why.empty())
        return why;
    if (!(c.timeout_s >= 0.01 && c.timeout_s <= 3600)) return "Timeout: 0.01 to 3600 s.";
    if (c.repeat < 1 || c.repeat > 1000) return "Repeat: 1 to 1000 readings.";
    try {
        if (const auto refused =
                take_instruments({c.analyzer, c.profile, c.source, c.supply_profile}, plan)) {
            return (refused->input == InstrumentInput::profile ? "Profile: " : "Noise source: ") +
                   refused->why + ".";
        }
    } catch (const ProfileError& e) {
        return e.what();
    } catch (const ResourceError& e) {
        return e.what();
    }
    plan.freqs_ghz = app::measure_frequencies(c.from_ghz, c.to_ghz, c.points);
    if (std::string why =
            app::measured_outputs(request, plan.freqs_ghz, "From and To", plan.outputs_ghz);
        !why.empty())
        return why;
    plan.repeat = c.repeat;
    plan.with_calibration = request.setup.second_stage;
    plan.yes = !c.ask;
    plan.timeout = milliseconds(c.timeout_s);
    return {};
}

std::pair<bool, std::string> identify(const std::string& resource, double timeout_s) {
    try {
        const Milliseconds timeout = milliseconds(timeout_s);
        auto transport = open_transport(parse_resource(resource), timeout);
        Scpi scpi(*transport, timeout, "the analyzer");
        return {true, scpi.query("*IDN?")};
    } catch (const std::exception& e) {
        return {false, e.what()};
    }
}

std::string measured_text(const MeasurementOutcome& outcome, const MeasurementPlan& plan,
                          const std::string& comment) {
    if (outcome.measured.empty()) return {};
    return readings_text(outcome.measured, plan.with_calibration, comment,
                         reading_span(plan.analyzer));
}

std::string failure_text(const MeasurementOutcome& o, const MeasurementPlan& plan) {
    std::string line = where_stopped(o) + ": " + o.failure + "; " +
                       std::to_string(o.measured.size()) + " of " +
                       std::to_string(plan.freqs_ghz.size()) + " frequencies measured";
    if (!o.source_safe) line += "; the noise source may still be on: switch it off";
    return line;
}

}  // namespace orlavex::session

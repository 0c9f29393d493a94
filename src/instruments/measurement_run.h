// A measurement run from start to end, as every front-end runs it: the
// analyzer opened and prepared, the calibration (unless one is given) and
// the DUT measured frequency by frequency, and the noise source switched
// off again however the run ends.
#pragma once

#include "instruments/measure_bench.h"
#include "instruments/profile.h"
#include "instruments/readings_text.h"
#include "instruments/resource.h"
#include "instruments/run_control.h"
#include "instruments/transport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::instruments {

// The bench as the run drives it, checked before it is touched.
struct MeasurementPlan {
    Profile analyzer, supply;
    Resource analyzer_address, supply_address;
    // analyzer, supply:RESOURCE, command:CMD {state}, or prompt.
    std::string source = "analyzer";
    std::vector<double> freqs_ghz;
    // A converting DUT's output at each of freqs_ghz, where the analyzer
    // reads it and the calibration is measured; empty for a DUT that
    // converts nothing.
    std::vector<double> outputs_ghz;
    std::size_t repeat = 1;
    bool with_calibration = true;  // measure one (else one is given from a file)
    bool yes = false;              // no questions before the calibration and the DUT
    Milliseconds timeout{10000};   // per exchange
};

// What a run gathered, and how it ended.
struct MeasurementOutcome {
    std::vector<MeasuredFrequency> calibration, measured;
    std::string identity;  // the analyzer's *IDN? reply
    std::string failure;   // empty when the run completed
    bool interrupted = false;
    bool source_safe = true;  // false: switching the source off failed too
    BenchPosition position;
};

// Why SOURCE is not a way to switch the noise source; empty when it is.
std::string source_refusal(const std::string& source);

// A measurement's instruments as the engineer names them.
struct InstrumentChoice {
    std::string analyzer;        // the analyzer's resource string
    std::string profile;         // a shipped profile's name or a profile file
    std::string source;          // as MeasurementPlan::source
    std::string supply_profile;  // the supply's, with source supply:RESOURCE
};
// Which of the choices a refusal is about, for a front-end to name it.
enum class InstrumentInput { profile, source };
struct InstrumentRefusal {
    InstrumentInput input;
    std::string why;
};

// PLAN's profiles, resources and source switch from CHOICE, or why not;
// throws ProfileError or ResourceError for a profile or a resource that
// cannot be read.
std::optional<InstrumentRefusal> take_instruments(const InstrumentChoice& choice,
                                                  MeasurementPlan& plan);

// The frequencies PLAN's calibration is measured at: the DUT's own, or a
// converting DUT's outputs in rising order, each once.
std::vector<double> calibration_frequencies(const MeasurementPlan& plan);

// Runs PLAN; never throws for the bench's faults, which the outcome names.
MeasurementOutcome run_measurement(const MeasurementPlan& plan, RunControl& control);

// "measure stopped in the DUT measurement at 2 GHz".
std::string where_stopped(const MeasurementOutcome& outcome);

// The profiles shipped with the program (installed beside it, or in the
// source tree of a build), by name, sorted.
std::vector<std::string> shipped_profiles();
// A shipped profile NAME, or the file NAME (a path, or a name ending in
// .json). Throws ProfileError.
Profile profile_named(const std::string& name);

}  // namespace orlavex::instruments

// A sweep: one set-up of the calculator evaluated at many points, varying
// one input. Every point is the set-up with the swept value entered as its
// field holds it, computed by the classic core, so its classic figures are
// exactly what the window shows for those inputs; the GUM budget and, when
// asked, the Monte Carlo follow from the set-up the classic result implies.
#pragma once

#include "core/classic_session.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "measure/setup.h"
#include "planning/band_edges.h"
#include "planning/bench_setup.h"
#include "planning/frequency_conversion.h"
#include "planning/swept_input.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlavex::planning {

enum class Spacing { linear, logarithmic };

struct MonteCarloChoice {
    bool enabled = false;
    std::size_t trials = 20000;
    // The same seed at every point (common random numbers): the band's curve
    // is smooth, and a seed gives the same sweep on any number of threads.
    std::uint64_t seed = measure::default_seed;
};

struct Sweep {
    // The calculator with the engineer's choices made through its user
    // actions (start-up values, catalogue analyzer and noise source,
    // preamplifiers, formats, second-stage correction, frequency
    // conversion, typed fields).
    core::ClassicSession base = core::ClassicSession::started();

    SweptInput over = SweptInput::frequency;
    double from = 0, to = 0;  // in the swept input's unit
    std::size_t points = 101;
    Spacing spacing = Spacing::linear;
    // The swept values one by one (a measurement's frequencies), in place of
    // `points` values spaced from `from` to `to` when not empty; `from` and
    // `to` then bound them for the band edges.
    std::vector<double> values;
    MatchForm match_form = MatchForm::vswr;  // for a swept match
    // Used while the input frequency is swept; the base window's frequency
    // conversion box is ticked for it. A fixed IF of 0 keeps the base
    // window's output frequency.
    FrequencyConversion conversion;

    // Replaces the noise source's ENR and ENR uncertainty at every point; its
    // reflection columns, when present, give the source match (the worse of
    // the on and off reflections). The window takes a source match only from
    // a "User" noise source, so a catalogue model is swapped for "User" then,
    // its frequency limit still bounding the sweep. With a converting DUT the
    // calibration uses the table's ENR at the output frequency.
    std::optional<datafiles::EnrTable> enr_table;
    // The DUT's gain and input/output match per frequency (its noise figure
    // stays an input).
    std::optional<datafiles::Touchstone> dut_sparameters;

    // The losses around the DUT and the measurement source; a swept loss
    // replaces its value (and file) at every point.
    BenchInput bench;

    // The readings' jitter, the datasheet limits' shape, the image band, and
    // the reflections: with ReflectionModel::known the model takes the
    // reflections the files know at each point (the measurement source's on
    // and off reflections from its ENR table and the DUT's S11, S21 and noise
    // block from its .s2p, where both give them; not with an image response),
    // measures F(0) and reports the source-match bias; the classic figures
    // are unchanged.
    measure::ModelOptions model;
    bool known_reflections() const { return model.reflections == measure::ReflectionModel::known; }
    MonteCarloChoice monte_carlo;

    // Points are shared out over the threads in contiguous blocks; the result
    // does not depend on the count.
    unsigned threads = 0;  // 0: std::thread::hardware_concurrency
    // Of the numbers in the advice's reasons (the planner's window's).
    char decimal_separator = '.';
};

// A sweep the window cannot carry out (a field a catalogue model locks, no
// points, a logarithmic sweep through 0, a swept value a file also gives).
class SweepError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

struct SweepPoint {
    double swept_value = 0;        // as entered into the window (what its field takes)
    double freq_ghz = 0;           // measurement (DUT input) frequency the window used
    double analyzer_freq_ghz = 0;  // the output frequency with a converting DUT, else freq_ghz
    // False when the point lies outside an instrument's frequency range or
    // another limit of the window: then nothing below `note` is evaluated.
    bool in_range = true;
    // A value from the ENR table or the S-parameters is held from the
    // nearest record (the point lies outside the file's frequencies).
    bool held = false;

    // A converting DUT's LO and image frequencies, where it has them.
    std::optional<double> lo_ghz, image_ghz;

    // The inputs as the window used them.
    double enr_db = 0, enr_unc_db = 0;
    double source_vswr = 0;
    double dut_gain_db = 0, dut_nf_db = 0;

    // What the window shows (net analyzer NF, Y factors, NF(dut+sa), the
    // three margins and lamps, the RSS where it shows one).
    ClassicFigures classic;
    // The window cannot hold the bench's equivalent set-up: no classic
    // figures, though the budget below holds.
    bool classic_withheld = false;
    measure::MeasurementSetup setup;
    measure::Budget gum;  // u_c_db, U_db (k = 2) and the lines
    // With known reflections: the source-match bias e0 the budget and the
    // Monte Carlo are taken around, dB.
    std::optional<double> source_match_bias_db;
    std::optional<measure::MonteCarloResult> monte_carlo;

    // Which catalogue bands or table records applied, or why the point is out
    // of range.
    std::string note;

    bool all_green() const;
};

// What a sweep's points carry beyond the calculator's own inputs and
// figures, known from its set-up before any point is evaluated, so that
// its columns can be written before its first point.
struct SweepContents {
    bool bench_loss = false;          // a loss before or after the DUT
    bool measurement_source = false;  // a separate measurement noise source
    bool frequency_plan = false;      // a converting DUT's LO and image
    bool source_match_bias = false;   // the model knows the reflections
};

struct SweepResult {
    SweptInput over = SweptInput::frequency;
    MatchForm match_form = MatchForm::vswr;
    SweepContents contents;
    std::vector<SweepPoint> points;
    // Catalogue band edges inside the swept range, in the swept frequency
    // (empty unless the sweep is over frequency).
    std::vector<BandEdge> band_edges;
};

// The values of the swept input, from `from` to `to` inclusive.
std::vector<double> sweep_values(const Sweep& sweep);

// Evaluates every point. Throws SweepError when the sweep cannot be carried
// out at all; single points the window cannot take are reported in them.
SweepResult run_sweep(const Sweep& sweep);

// How far a sweep running on other threads has come, and a way to stop it:
// a window polls `done` for its progress bar and sets `cancel`.
struct SweepProgress {
    std::atomic<std::size_t> done{0};   // points evaluated so far
    std::atomic<std::size_t> total{0};  // points in all, where the runner knows them
    std::atomic<bool> cancel{false};    // stops the sweep after the points under way
};

// A sweep stopped through its SweepProgress before every point was evaluated.
class SweepCancelled : public std::runtime_error {
  public:
    SweepCancelled() : std::runtime_error("the sweep was cancelled") {}
};

// As above, counting the points into PROGRESS; throws SweepCancelled once
// PROGRESS.cancel is set.
SweepResult run_sweep(const Sweep& sweep, SweepProgress& progress);

// Takes a sweep's points a chunk at a time, in order; OUTLINE is the
// result without its points (the same at every call).
using SweepSink =
    std::function<void(const SweepResult& outline, std::span<const SweepPoint> chunk)>;

// As run_sweep, but hands the points to SINK in chunks of CHUNK_POINTS as
// they are evaluated and keeps none of them, so that a long sweep's memory
// is that of one chunk. SINK is called at least once; the outline returned
// is the one it was given.
SweepResult stream_sweep(const Sweep& sweep, SweepProgress& progress, const SweepSink& sink,
                         std::size_t chunk_points = 1024);

}  // namespace orlavex::planning

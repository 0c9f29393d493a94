// Which noise source and which internal-preamplifier setting to use for a
// DUT and analyzer across a band: every catalogue noise source (and "User"
// as typed) with every preamp choice of the analyzer, swept over the same
// points and ranked.
#pragma once

#include "planning/sideband_advice.h"
#include "planning/sweep.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::planning {

// One set-up the advice tries.
struct Candidate {
    std::string noise_source;  // catalogue name or "User"
    bool int_preamp = false;
    std::optional<int> preamp_option;  // 0 or 1 for analyzers with two preamps
    std::string preamp_caption;        // of the option in use, as the preamp menu shows it
    // With a separate measurement source: NOISE_SOURCE is tried as that
    // source, the calibration source staying as given.
    bool measurement_source = false;
    // "NS346B, Int PA on (LNA-1 Preamp)"; "measurement source NS346D, Int PA off"
    std::string label() const;
};

struct AdviceEntry {
    Candidate candidate;
    std::size_t rank = 0;       // 1 is the best
    std::size_t points = 0;     // in the sweep
    std::size_t in_range = 0;   // points the instruments cover
    std::size_t evaluated = 0;  // in range and with a valid budget (and classic
                                // figures, unless the bench's are withheld)
    std::size_t all_green = 0;  // points with all three lamps green
    std::size_t rated = 0;      // points with classic figures, whose lamps were rated
    double worst_U_db = 0;      // largest expanded uncertainty (k = 2) over evaluated points
    double worst_at = 0;        // swept value where it occurs
    std::string reason;         // one sentence: why this place (numbers with the base
                                // sweep's decimal separator)
};

struct Advice {
    std::vector<AdviceEntry> ranking;  // best first
    // With an image ratio given: the DUT measured SSB and DSB, ranked.
    std::optional<SidebandAdvice> sidebands;
};

// The preamp choices the base set-up's analyzer offers: off, on (or option 0
// and option 1).
std::vector<Candidate> preamp_choices(const core::ClassicChoices& base);
// Every noise source in menu order, then "User", each with every preamp
// choice; with a SEPARATE_MEASUREMENT_SOURCE, then every catalogue source as
// the measurement source (with every preamp choice) too.
std::vector<Candidate> candidates(const core::ClassicChoices& base,
                                  bool separate_measurement_source);

// Ranks every candidate over SWEEP's points (the sweep's own noise source and
// preamp choice are replaced; an ENR table applies only to "User"; the bench
// stays as given but for a measurement-source candidate's source; no Monte
// Carlo). Order: candidates that cover every point with a valid result
// first (the others by how many points they cover), then the smaller worst
// expanded uncertainty (to 0.01 dB), then more all-green points, then menu
// order. Candidates share out over the sweep's threads. With an image ratio
// given, the sweep as given runs too and gives the sideband advice.
Advice advise(const Sweep& sweep);
// As above, counting every candidate's points into PROGRESS (its total set
// first); throws SweepCancelled once PROGRESS.cancel is set.
Advice advise(const Sweep& sweep, SweepProgress& progress);

// What cures a source-match bias: a part before the DUT that lowers the
// reflections the DUT sees at the cost of the ENR it sees.
struct MatchCure {
    std::string what;         // "a 6 dB pad before the DUT"
    double loss_db = 0;       // forward
    double isolation_db = 0;  // reverse; a pad's is its loss
    double bias_db = 0;       // the source-match bias e0 with it
    double U_db = 0;          // the expanded uncertainty with it
    double added_U_db = 0;    // what it adds to U through the lower ENR
    // U + |e0|: what an uncorrected result must allow for.
    double total_db() const;
};

struct MatchAdvice {
    double bias_db = 0, U_db = 0;  // as the set-up stands
    std::vector<MatchCure> cures;  // smallest U + |e0| first
};

// The pads (3, 6 and 10 dB) and the isolator (20 dB reverse isolation, 0.3
// dB loss) ranked, where SETUP's known reflections give a source-match bias
// larger than a third of U; none otherwise.
std::optional<MatchAdvice> match_advice(const measure::MeasurementSetup& setup);
// SETUP with CURE's part added to the loss before the DUT.
measure::MeasurementSetup with_cure(const measure::MeasurementSetup& setup, const MatchCure& cure);

}  // namespace orlavex::planning

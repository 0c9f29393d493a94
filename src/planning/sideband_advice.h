// A converting DUT with an image ratio given: its noise figure measured as a
// single-sideband and as a double-sideband figure over the same points,
// ranked as the advice ranks its set-ups, and whether an image filter
// would pay.
#pragma once

#include "measure/setup.h"
#include "planning/sweep.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::planning {

struct SidebandEntry {
    measure::SidebandMode mode = measure::SidebandMode::ssb;
    std::string label;     // "DSB", "SSB with 6 dB rejection known to 1 dB"
    std::size_t rank = 0;  // 1 is the better
    std::size_t points = 0;
    std::size_t evaluated = 0;  // in range and with a valid budget
    double worst_U_db = 0;      // largest expanded uncertainty (k = 2) over evaluated points
    double worst_at = 0;        // swept value where it occurs
    // The DUT's noise figure and gain in this mode at that point: the same
    // mixer in both modes (F_SSB = (1 + r) F_DSB, G_DSB = (1 + r) G_SSB).
    double dut_nf_db = 0, dut_gain_db = 0;
    double image_share = 0;  // the image ratio's share of the budget there
};

struct SidebandAdvice {
    std::vector<SidebandEntry> modes;  // the better first
    // "DSB: 0.20 dB; SSB with 6 dB rejection known to 1 dB: 0.60 dB"
    std::string summary;
    // Why an image filter would pay (the image ratio above a third of the
    // SSB budget at its worst point); empty where it would not.
    std::string image_filter;
};

// The share of the budget above which the advice calls for an image filter.
inline constexpr double image_filter_share = 1.0 / 3;

// Whether SWEEP gives an image ratio (as a value or swept), for which the
// advice compares the sideband modes.
bool wants_sideband_advice(const Sweep& sweep);

// For SWEEP with an image ratio given (none otherwise) and RESULT, its own
// run: the mode the sweep asks for from RESULT's budgets, the other from
// the same points with the DUT's figures converted to it. Numbers with the
// sweep's decimal separator.
std::optional<SidebandAdvice> sideband_advice(const Sweep& sweep, const SweepResult& result);

}  // namespace orlavex::planning

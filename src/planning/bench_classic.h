// The calculator's classic figures for a bench with losses or a separate
// measurement source: computed by the classic core for the equivalent
// set-up an engineer would type in (the source's ENR and off temperature
// seen at the DUT input, the loss after the DUT and the analyzer as one
// analyzer noise figure).
#pragma once

#include "core/classic.h"
#include "measure/setup.h"

#include <optional>
#include <string>

namespace orlavex::planning {

struct BenchClassic {
    // None where the calculator cannot hold the equivalent set-up.
    std::optional<ClassicFigures> figures;
    std::string note;  // what the figures stand for, or why there are none
};

// True when SETUP's bench differs from the calculator's own set-up (a loss,
// or a separate measurement source).
bool bench_changes_classic(const measure::MeasurementSetup& setup);

// The classic figures of the equivalent set-up of the point whose classic
// set-up as used is POINT and whose figures are POINT_FIGURES; SETUP is the
// model's set-up of the point with the bench added. The equivalent set-up's
// noise source is "User", and with LOSS_AFTER (the bench has a loss after
// the DUT, which the analyzer noise figure takes) its analyzer too; every
// other value is the point's as its field holds it.
BenchClassic bench_classic(const core::ClassicSetup& point, const ClassicFigures& point_figures,
                           const measure::MeasurementSetup& setup, bool loss_after);

}  // namespace orlavex::planning

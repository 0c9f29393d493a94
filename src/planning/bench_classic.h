// The window's classic figures for a bench with losses or a separate
// measurement source: computed by the window model itself for the
// equivalent set-up an engineer would type in (the source's ENR and off
// temperature seen at the DUT input, the loss after the DUT and the
// analyzer as one analyzer noise figure).
#pragma once

#include "engine/calculator.h"
#include "measure/setup.h"

#include <optional>
#include <string>

namespace orlavex::planning {

struct BenchClassic {
    // None where the window cannot hold the equivalent set-up.
    std::optional<ClassicFigures> figures;
    std::string note;  // what the figures stand for, or why there are none
};

// True when SETUP's bench differs from the window's own set-up (a loss, or
// a separate measurement source).
bool bench_changes_classic(const measure::MeasurementSetup& setup);

// A window kept for the equivalent set-ups of many points (a sweep's): its
// noise source, and with a loss after the DUT its analyzer, are "User", so
// that the equivalent ENR, off temperature and analyzer noise figure can be
// entered; every other field takes the point's own text.
class EquivalentWindow {
  public:
    // BASE is the window with the engineer's choices made; LOSS_AFTER: the
    // bench has a loss after the DUT, which the analyzer noise figure takes.
    EquivalentWindow(const Calculator& base, bool loss_after);

    // POINT is the window after the point's recalculation; SETUP the model's
    // set-up it implies, with the bench added.
    BenchClassic classic(const Calculator& point, const measure::MeasurementSetup& setup);

  private:
    Calculator window_;
    bool loss_after_;
    std::string refused_;  // why the window cannot hold any equivalent set-up
};

// The same for one window: CALC after the set-up was applied.
BenchClassic bench_classic(const Calculator& calc, const measure::MeasurementSetup& setup);

}  // namespace orlavex::planning

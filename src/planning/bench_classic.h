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

// CALC is the window after the set-up was applied; SETUP the model's set-up
// it implies, with the bench added.
BenchClassic bench_classic(const Calculator& calc, const measure::MeasurementSetup& setup);

}  // namespace orlavex::planning

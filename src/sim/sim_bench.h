// The bench orlavex-sim pretends to be: the noise source, the DUT and the
// analyzer of a set-up file, whose readings at a frequency are the
// measurement model's (measure::simulate_readings with no error) as levels
// in dBm in 1 MHz. A converting DUT's LO stays where the set-up's input and
// output frequencies and its side of the LO put it: the analyzer's frequency
// is the DUT's output, and the input behind it follows.
#pragma once

#include "app/inputs/sweep_request.h"
#include "measure/fixed_lo.h"
#include "measure/simulation.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace orlavex::sim {

class SimBench {
  public:
    // Throws std::runtime_error with a one-line reason for a set-up that
    // cannot be read or simulated.
    explicit SimBench(const std::filesystem::path& setup_file);

    // The four levels with the analyzer at FREQ_HZ (the DUT's input, or a
    // converting DUT's output); none outside the set-up's instruments'
    // range, with the reason in WHY.
    std::optional<measure::ReadingLevels> levels(double freq_hz, std::string& why);

  private:
    app::SweepRequest request_;
    std::optional<measure::FixedLo> lo_;              // a converting DUT's
    std::map<double, measure::ReadingLevels> known_;  // by frequency in Hz
};

}  // namespace orlavex::sim

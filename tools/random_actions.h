// Random user actions as driver command lines, so that any run can be
// replayed with orlavex-drive.
#pragma once

#include "engine/calculator.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace orlavex::soak {

class RandomActions {
  public:
    explicit RandomActions(std::uint64_t seed);

    // The next action for the window as it is now (selections are drawn
    // mostly within the focused field's text).
    std::string next(const Calculator& calc);

  private:
    std::string typing();
    std::string pasting();
    std::string key();
    std::string selecting(const Calculator& calc);
    std::string odd_text();
    const std::string& pick(const std::vector<std::string>& names);
    int below(int n);

    std::mt19937_64 rng_;
    std::vector<std::string> fields_;     // entry fields
    std::vector<std::string> focusable_;  // anything that can take the focus
    std::vector<std::string> clickable_;  // "NAME" or "NAME INDEX"
};

}  // namespace orlavex::soak

// The headless driver: one script command at a time against a main window
// that has just started.
#pragma once

#include "engine/calculator.h"

#include <ostream>
#include <string>
#include <string_view>

namespace orlavex {

class Driver {
  public:
    Driver();

    // Runs one script line. Output of `dump` goes to OUT. Returns the plain
    // reason when the line cannot be carried out (nothing changed then).
    std::string run_line(std::string_view line, std::ostream& out);

    // Runs a whole script; errors go to ERR as "orlavex-drive: line N: why".
    // Returns the exit status: 0, or 2 when any line failed.
    int run_script(std::istream& in, std::ostream& out, std::ostream& err);

    Calculator& calculator() { return calc_; }

  private:
    Calculator calc_;
};

}  // namespace orlavex

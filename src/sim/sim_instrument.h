// The SCPI the simulated instruments understand: the shipped analyzer and
// supply profiles' commands, plus SIM:DUT ON|OFF, SIM:DUT? and SIM:SOURCE?
// for tests and demonstrations. Anything else puts -113,"Undefined header"
// in the error queue. One state for every connection: the analyzer, the
// supply and the noise source share one bench.
#pragma once

#include "sim/sim_bench.h"

#include <deque>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace orlavex::sim {

struct SimFaults {
    bool overload = false;      // every reading 9.91e37
    bool stuck_source = false;  // the noise source stays off whatever drives it
};

// What each connection sets on its own: an analyzer's settings and its
// error queue (the supply's *RST leaves the analyzer's settings alone).
struct SimSession {
    std::deque<std::string> errors;
    double freq_hz = 1e9, rbw_hz = 1e6, channel_hz = 0, averages = 1, sweep_time_s = 1e-3;
    double density_dbm_hz = -174;  // of the last sweep
};

class SimInstrument {
  public:
    SimInstrument(SimBench& bench, unsigned long long seed, SimFaults faults)
        : bench_(bench), random_(seed), faults_(faults) {}

    // The replies to LINE (commands separated by ';'), one per query.
    std::vector<std::string> handle(SimSession& session, std::string_view line);

    bool source_on() const;

  private:
    std::optional<std::string> handle_one(SimSession& s, std::string_view header,
                                          std::string_view argument);
    std::optional<std::string> handle_bench(SimSession& s, int action, std::string_view argument);
    void sweep(SimSession& s);

    SimBench& bench_;
    std::mt19937_64 random_;
    SimFaults faults_;
    double volts_ = 0;
    bool noise_drive_ = false, supply_output_ = false, dut_in_ = false;
};

}  // namespace orlavex::sim

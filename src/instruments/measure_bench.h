// The steps of a measurement on the bench: the analyzer prepared by its
// profile, then the calibration (source straight into the analyzer) and the
// DUT, each reading with the source off and on, repeated, frequency by
// frequency. What is completed is kept as it comes, for a run cut short.
#pragma once

#include "instruments/profile.h"
#include "instruments/readings_text.h"
#include "instruments/run_control.h"
#include "instruments/scpi.h"
#include "instruments/source_switch.h"

#include <atomic>
#include <string>
#include <vector>

namespace orlavex::instruments {

// Where a run is: its stage and frequency, for the line that says where it
// stopped.
// The DUT's frequencies: its inputs, and a converting DUT's output at each
// (empty for one that converts nothing).
struct DutFrequencies {
    const std::vector<double>& inputs_ghz;
    const std::vector<double>& outputs_ghz;
};

struct BenchPosition {
    std::string stage = "the analyzer's preparation";
    double freq_ghz = 0;  // 0 before the first frequency
};

class MeasureBench {
  public:
    MeasureBench(Scpi& analyzer, const Profile& profile, SourceSwitch& source,
                 RunControl& interrupt, std::size_t repeat)
        : analyzer_(analyzer),
          profile_(profile),
          source_(source),
          interrupt_(interrupt),
          repeat_(repeat) {}

    // The analyzer's identity, then its preparation; the source off.
    std::string prepare();
    // The calibration at FREQS, each frequency appended to OUT when done.
    void calibrate(const std::vector<double>& freqs_ghz, std::vector<MeasuredFrequency>& out);
    // The DUT at FREQS (the analyzer tuned to a converting DUT's output),
    // each frequency appended to OUT when done, with the calibration's rows
    // at the frequency the analyzer read where CALIBRATION holds them.
    void measure(const DutFrequencies& freqs, const std::vector<MeasuredFrequency>& calibration,
                 std::vector<MeasuredFrequency>& out);
    // The profile's DUT switch, if it has one.
    void switch_dut(bool in);

    const BenchPosition& position() const { return position_; }
    void enter(std::string stage) { position_ = {std::move(stage), 0}; }
    // Frequencies completed, calibration and DUT together; read from the
    // progress line's thread.
    std::size_t completed() const { return completed_.load(); }

  private:
    // A reading as a level in dBm in 1 MHz.
    double reading();
    // The analyzer at TUNED_GHZ; the position at FREQ_GHZ.
    void tune(double freq_ghz, double tuned_ghz);
    // The off and on readings of one repetition in ROW at OFF and OFF + 1.
    void read_pair(std::array<double, 4>& row, std::size_t off);
    // Refuses a source that does not switch (its on and off readings alike).
    void check_switching(const MeasuredFrequency& f, std::size_t off) const;

    Scpi& analyzer_;
    const Profile& profile_;
    SourceSwitch& source_;
    RunControl& interrupt_;
    std::size_t repeat_;
    BenchPosition position_;
    std::atomic<std::size_t> completed_{0};
};

}  // namespace orlavex::instruments

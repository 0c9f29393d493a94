// The reflections a sweep's files know at a point, for the measurement
// model: the measurement source's on and off reflections from its ENR
// table, the DUT's S11, S21 and noise parameters from its .s2p, and the S21
// of a loss file before the DUT.
#pragma once

#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/setup.h"

#include <complex>
#include <optional>
#include <vector>

namespace orlavex::planning {

// S11 and S21 of a Touchstone file against 50 ohms at its lookups: the
// magnitudes as the lookup interpolates them (|S21|^2 is its gain), the
// phases turning along the shorter arc between records. The records'
// directions and turns are worked out once, for a sweep's many points.
struct TwoPortAt {
    std::complex<double> s11, s21;
};
class TwoPortPhases {
  public:
    explicit TwoPortPhases(const datafiles::Touchstone& file);
    const datafiles::Touchstone& file() const { return *file_; }
    // At the file's lookup POINT.
    TwoPortAt at(const datafiles::DutPoint& point) const;
    TwoPortAt at(double f_hz) const { return at(file_->at(f_hz)); }

  private:
    // A parameter at a record: its direction, and the turn to the next
    // record's (radians, within +-pi; 0 at the last).
    struct Phase {
        std::complex<double> direction;
        double turn = 0;
    };
    const datafiles::Touchstone* file_;
    std::vector<Phase> s11_, s21_;
};

struct ReflectionFiles {
    // The table of the source the measurement is made with.
    const datafiles::EnrTable* source = nullptr;
    // That source's table when it calibrates too (its on reflection at the
    // calibration frequency); null for a separate calibration source.
    const datafiles::EnrTable* calibration = nullptr;
    const TwoPortPhases* dut = nullptr;
    // The loss before the DUT from its file; null for a value or no loss.
    const TwoPortPhases* loss_in = nullptr;
    // The source's table and the DUT's file at the input frequency where
    // the point has looked them up already; null: looked up here.
    const datafiles::EnrPoint* source_at = nullptr;
    const datafiles::DutPoint* dut_at = nullptr;
    // The values typed where no file gives them (the model's options: the
    // source's on and off reflections, the DUT's S11 and noise
    // parameters), and the DUT's gain in dB, its |S21|^2 without a 2-port
    // file; null: none typed.
    const measure::ModelOptions* typed = nullptr;
    double dut_gain_db = 0;
};

// The reflections at a DUT input frequency F_IN_GHZ, calibrated at
// F_CAL_GHZ; none unless the source's on and off reflections (its table's
// reflection columns, or typed) and the DUT's S11 (a 2-port file, or
// typed) are known. The DUT's noise parameters where its file has a noise
// block, or all three are typed.
std::optional<measure::KnownReflections> known_reflections_at(const ReflectionFiles& files,
                                                              double f_in_ghz, double f_cal_ghz);

}  // namespace orlavex::planning

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

namespace orlavex::planning {

struct ReflectionFiles {
    // The table of the source the measurement is made with.
    const datafiles::EnrTable* source = nullptr;
    // That source's table when it calibrates too (its on reflection at the
    // calibration frequency); null for a separate calibration source.
    const datafiles::EnrTable* calibration = nullptr;
    const datafiles::Touchstone* dut = nullptr;
    // The loss before the DUT from its file; null for a value or no loss.
    const datafiles::Touchstone* loss_in = nullptr;
};

// The reflections at a DUT input frequency F_IN_GHZ, calibrated at
// F_CAL_GHZ; none unless the source's table has its reflection columns and
// the DUT's file is a 2-port. The DUT's noise parameters where its file has
// a noise block.
std::optional<measure::KnownReflections> known_reflections_at(const ReflectionFiles& files,
                                                              double f_in_ghz, double f_cal_ghz);

// S11 and S21 of a Touchstone file at F_HZ against 50 ohms: the magnitudes
// as the file's lookup interpolates them (|S21|^2 is its gain), the phases
// turning along the shorter arc between records.
struct TwoPortAt {
    std::complex<double> s11, s21;
};
TwoPortAt two_port_at(const datafiles::Touchstone& file, double f_hz);

}  // namespace orlavex::planning

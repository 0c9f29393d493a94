// The bench around the DUT as an engineer describes it: the loss before and
// after the DUT (a value, or a Touchstone 2-port file of the part) with its
// physical temperature and uncertainty, and the noise source the
// measurement is made with when it is not the calibration source (a
// catalogue model, an ENR value or an ENR table). At each point it becomes
// the measurement model's bench for the frequencies the DUT sees.
#pragma once

#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/setup.h"
#include "measure/units.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::planning {

struct LossInput {
    double loss_db = 0;                                // used without a file
    std::optional<datafiles::Touchstone> sparameters;  // loss = -db(|S21|^2) per frequency
    double temperature_k = measure::T0;
    double unc_db = 0;  // expanded (k = 2)
    bool given() const { return loss_db != 0 || sparameters.has_value() || unc_db != 0; }
};

// The measurement source's ENR comes from one of these; the rest of its
// description, where not given, from the calibration source.
struct MeasurementSourceInput {
    std::string model;                         // catalogue model, or empty
    std::optional<double> enr_db;              // a value
    std::optional<datafiles::EnrTable> table;  // an ENR table
    std::optional<double> enr_unc_db;          // expanded (k = 2)
    std::optional<double> gamma;               // |reflection|
};

struct BenchInput {
    LossInput loss_in, loss_out;
    std::optional<MeasurementSourceInput> meas_source;  // none: the calibration source measures
    bool any() const { return loss_in.given() || loss_out.given() || meas_source.has_value(); }
};

// The loss a 2-port file gives at F_HZ: -db(|S21|^2), interpolated as the
// DUT's gain is.
double loss_from_file_db(const datafiles::Touchstone& part, double f_hz);

// Empty when BENCH can be used at any frequency; otherwise one line saying
// which input is wrong and why (a negative loss, a temperature below 0 K,
// a loss file that is not a 2-port or whose S21 shows a gain, an unknown
// measurement source).
std::string bench_input_problem(const BenchInput& bench);

// Puts BENCH into SETUP (filled from the window) for a DUT whose input is at
// F_IN_GHZ and whose output is at F_OUT_GHZ: the losses at those
// frequencies, the measurement source's ENR, uncertainty and match at the
// input frequency.
void add_bench(const BenchInput& bench, double f_in_ghz, double f_out_ghz,
               measure::MeasurementSetup& setup);

// What a note says of BENCH's files that hold a value from their nearest
// record at the point, as a sweep's DUT and ENR files do: the losses at
// F_IN_GHZ and F_OUT_GHZ, the measurement source's ENR table at F_IN_GHZ.
// One part per such file ("loss before the DUT: held from the nearest
// record, the last, at 18 GHz (line 42)"); none when the files cover the
// point.
std::vector<std::string> bench_held_notes(const BenchInput& bench, double f_in_ghz,
                                          double f_out_ghz);

}  // namespace orlavex::planning

// The calibration levels of a separate calibration file at the frequencies
// a band of readings was measured at: each record's repeated readings
// averaged in linear power, and the levels interpolated linearly in
// frequency on their dB values, as analyzers interpolate their
// calibration. Outside the file's range the nearest record holds, and a
// note says so.
#pragma once

#include "datafiles/readings_file.h"
#include "measure/type_a.h"

#include <string>
#include <vector>

namespace orlavex::app {

struct CalibrationAt {
    double cal_off_dbm = 0, cal_on_dbm = 0;
    // The Type A lines of the two levels, from repeated readings in the
    // file; empty for single readings.
    std::vector<measure::TypeALine> scatter;
    std::string note;  // empty within the file's range
};

class CalibrationTable {
  public:
    // CALIBRATION as read with datafiles::ReadingsColumns::calibration.
    explicit CalibrationTable(const datafiles::Readings& calibration);

    CalibrationAt at(double freq_ghz) const;
    bool repeated() const { return repeated_; }

  private:
    struct Level {
        double dbm = 0;
        measure::TypeALine scatter;  // of repeated readings
    };
    struct Record {
        double freq_hz = 0;
        int line = 0;
        Level off, on;
    };

    std::vector<Record> records_;
    bool repeated_ = false;
};

}  // namespace orlavex::app

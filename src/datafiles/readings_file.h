// Measured readings: a CSV file with a header naming its columns, one row
// per reading. Rows at one frequency, one after the other, are repeated
// readings of that frequency.
//
//   # comment lines and blank lines are skipped
//   freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm
//   1.0,-80.1,-70.2,-60.3,-50.4
//
// Columns in any order: freq_ghz and the four levels (the calibration pair
// may be left out together, for a measurement without second-stage
// correction or one calibrated in a file of its own, or left empty on every
// row), freq2_ghz for a frequency-converting DUT, and noise_bw_hz with
// tau_s, the noise bandwidth and integration time a reading stands for (the
// analyzer's, as a measurement run writes them). A level's name ends with its
// unit: _dbm, _mw or _w. Either every frequency has a single reading or every
// frequency has two or more.
//
// A calibration file is read by the same rules with the columns freq_ghz,
// cal_off and cal_on, every one required (its frequencies are the
// calibration's, the output frequency of a converting DUT).
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {

// The four levels of a reading, in the order cal off, cal on, meas off, meas on.
enum Level : std::size_t { cal_off, cal_on, meas_off, meas_on };
using LevelsMw = std::array<double, 4>;  // linear power, mW; > 0

// The source-on level of the first pair of LEVELS (calibration, then
// measurement) that is not above its source-off level: a Y factor of 1 or
// less, which no noise figure can come from. Pairs GIVEN leaves out are not
// compared. None when every pair rises.
std::optional<Level> falling_pair(const LevelsMw& levels, const std::array<bool, 4>& given);

struct ReadingsPoint {
    double freq_ghz = 0;
    std::optional<double> freq2_ghz;  // with a freq2_ghz column
    std::vector<LevelsMw> readings;   // one or more, in the file's order
    int line = 0;                     // the line of the first reading
    // With noise_bw_hz and tau_s columns: what each reading stands for.
    std::optional<double> noise_bw_hz, tau_s;
};

struct Readings {
    std::vector<ReadingsPoint> points;  // in strictly rising frequency
    bool has_calibration = true;        // the file gives the calibration levels
    bool repeated = false;              // every point has two or more readings
};

// The columns a file holds: the readings of a measurement, or the two
// levels of a calibration.
enum class ReadingsColumns { readings, calibration };

// Throws FileError naming the line at fault; NAME names the text in messages.
// A calibration file's points hold their levels in cal_off and cal_on (the
// others at 1 mW).
Readings parse_readings(std::string_view text, std::string_view name,
                        ReadingsColumns columns = ReadingsColumns::readings);
Readings read_readings(const std::filesystem::path& path,
                       ReadingsColumns columns = ReadingsColumns::readings);

}  // namespace orlavex::datafiles

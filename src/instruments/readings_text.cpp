#include "instruments/readings_text.h"

#include "instruments/profile.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

namespace orlavex::instruments {

namespace {

// The dBm of the mean linear power of column C over ROWS.
double mean_dbm(const std::vector<std::array<double, 4>>& rows, std::size_t c) {
    double sum = 0;
    for (const auto& r : rows)
        sum += std::pow(10.0, r[c] / 10);
    return 10 * std::log10(sum / static_cast<double>(rows.size()));
}

}  // namespace

std::string readings_text(const std::vector<MeasuredFrequency>& points, bool with_calibration,
                          const std::string& comment, std::optional<ReadingSpan> span) {
    const bool converting = !points.empty() && points.front().output_ghz.has_value();
    std::string text = "# " + comment + "\nfreq_ghz,";
    if (converting) text += "freq2_ghz,";
    text += with_calibration ? "cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm"
                             : "meas_off_dbm,meas_on_dbm";
    text += span ? ",noise_bw_hz,tau_s\n" : "\n";
    for (const MeasuredFrequency& p : points) {
        for (const auto& r : p.rows) {
            text += scpi_text(p.freq_ghz);
            if (converting) text += "," + scpi_text(p.output_ghz.value_or(0));
            for (std::size_t c = with_calibration ? 0 : 2; c < 4; ++c)
                text += "," + scpi_text(r[c]);
            if (span) text += "," + scpi_text(span->noise_bw_hz) + "," + scpi_text(span->tau_s);
            text += '\n';
        }
    }
    return text;
}

std::string calibration_text(const std::vector<MeasuredFrequency>& points,
                             const std::string& comment) {
    std::string text = "# " + comment + "\nfreq_ghz,cal_off_dbm,cal_on_dbm\n";
    for (const MeasuredFrequency& p : points) {
        text += scpi_text(p.freq_ghz) + "," + scpi_text(mean_dbm(p.rows, 0)) + "," +
                scpi_text(mean_dbm(p.rows, 1)) + "\n";
    }
    return text;
}

std::string write_text(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return path + ": cannot be written: " + std::strerror(errno);
    out << text;
    out.close();
    if (!out) return path + ": cannot be written (a full disk?)";
    return {};
}

}  // namespace orlavex::instruments

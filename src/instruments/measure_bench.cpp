#include "instruments/measure_bench.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orlavex::instruments {

namespace {

// On and off readings closer than this: the source does not switch (a
// real one adds several dB even behind a high noise figure).
constexpr double least_switching_db = 0.1;

// X to three places, without the sign of a value that rounds to zero.
std::string three_places(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", x);
    std::string s = text;
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

}  // namespace

std::string MeasureBench::prepare() {
    const std::string identity =
        profile_.identify.empty() ? std::string() : analyzer_.query(profile_.identify);
    for (const std::string& c : profile_.preparation()) {
        interrupt_.check();
        analyzer_.command(filled(c, profile_));
    }
    source_.prepare();
    source_.set(false);
    return identity;
}

void MeasureBench::switch_dut(bool in) {
    for (const std::string& c : in ? profile_.dut_in : profile_.dut_out)
        analyzer_.command(filled(c, profile_));
}

void MeasureBench::tune(double freq_ghz, double tuned_ghz) {
    position_.freq_ghz = freq_ghz;
    for (const std::string& c : profile_.frequency)
        analyzer_.command(filled(c, profile_, tuned_ghz * 1e9));
}

double MeasureBench::reading() {
    interrupt_.check();
    for (const std::string& c : profile_.single_sweep)
        analyzer_.command(filled(c, profile_));
    if (!profile_.wait.empty()) (void)analyzer_.query(filled(profile_.wait, profile_));
    const double value = analyzer_.query_number(filled(profile_.read, profile_));
    // To dBm in 1 MHz, the reference the readings files are written in.
    const double in_hz = profile_.unit == ReadingUnit::dbm_per_hz ? 1 : profile_.noise_bandwidth_hz;
    return value + 10 * std::log10(1e6 / in_hz);
}

void MeasureBench::read_pair(std::array<double, 4>& row, std::size_t off) {
    source_.set(false);
    row[off] = reading();
    source_.set(true);
    row[off + 1] = reading();
    source_.set(false);
}

void MeasureBench::check_switching(const MeasuredFrequency& f, std::size_t off) const {
    double sum = 0;
    for (const auto& r : f.rows)
        sum += r[off + 1] - r[off];
    const double mean = sum / static_cast<double>(f.rows.size());
    if (mean < least_switching_db) {
        throw InstrumentError(
            "the noise source does not seem to switch: its on and off readings differ by " +
            three_places(mean) + " dB");
    }
}

void MeasureBench::calibrate(const std::vector<double>& freqs_ghz,
                             std::vector<MeasuredFrequency>& out) {
    position_.stage = "the calibration";
    for (const double f : freqs_ghz) {
        tune(f, f);
        MeasuredFrequency m{f, std::nullopt, std::vector<std::array<double, 4>>(repeat_)};
        for (auto& row : m.rows)
            read_pair(row, 0);
        check_switching(m, 0);
        out.push_back(std::move(m));
        ++completed_;
    }
}

void MeasureBench::measure(const DutFrequencies& freqs,
                           const std::vector<MeasuredFrequency>& calibration,
                           std::vector<MeasuredFrequency>& out) {
    position_.stage = "the DUT measurement";
    const bool converting = !freqs.outputs_ghz.empty();
    for (std::size_t i = 0; i < freqs.inputs_ghz.size(); ++i) {
        const double f = freqs.inputs_ghz[i];
        const double read_at = converting ? freqs.outputs_ghz[i] : f;
        tune(f, read_at);
        MeasuredFrequency m{f, converting ? std::optional(read_at) : std::nullopt,
                            std::vector<std::array<double, 4>>(repeat_)};
        const auto cal = std::ranges::find(calibration, read_at, &MeasuredFrequency::freq_ghz);
        for (std::size_t r = 0; r < repeat_; ++r) {
            read_pair(m.rows[r], 2);
            if (cal != calibration.end()) {
                m.rows[r][0] = cal->rows[r][0];
                m.rows[r][1] = cal->rows[r][1];
            }
        }
        check_switching(m, 2);
        out.push_back(std::move(m));
        ++completed_;
    }
}

}  // namespace orlavex::instruments

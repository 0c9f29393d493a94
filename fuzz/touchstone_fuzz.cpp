// The Touchstone reader (1.x and 2.0), as .s1p or .s2p by the first byte.
// Any text either gives one FileError naming a line of the text, or a
// complete file: data in strictly rising frequency, referred to 50 ohms
// record by record, whose lookups give finite gain and matches, each point's
// own at its frequency and the neighbours' range between them; and a noise
// block of records in range and rising frequency, looked up the same way,
// whose noise factor is least at Gamma_opt.
#include "datafiles/file_error.h"
#include "datafiles/touchstone.h"
#include "fuzz_require.h"
#include "measure/noise_parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

using namespace orlavex::datafiles;

using orlavex::fuzz::require;

bool within(double x, double a, double b) {
    const double slack = 1e-12 * std::max(std::fabs(a), std::fabs(b));
    return x >= std::min(a, b) - slack && x <= std::max(a, b) + slack;
}

// A frequency above the last one, and finite.
double beyond(double freq_hz) {
    return std::min(freq_hz * 2 + 1, std::numeric_limits<double>::max());
}

void check_point(const Touchstone& file, double freq_hz) {
    const DutPoint point = file.at(freq_hz);
    const auto& lower = file.records_at_50_ohms()[point.applied.lower.index];
    const auto& upper = file.records_at_50_ohms()[point.applied.upper.index];
    require(within(point.input_match, std::abs(lower.s11), std::abs(upper.s11)),
            "input match outside its points");
    require(point.gain_db.has_value() == (file.ports() == 2), "gain present for the wrong ports");
    if (point.gain_db) {
        require(std::isfinite(*point.gain_db), "gain in dB not finite");
        require(*point.gain >= 0 && !std::isnan(*point.gain), "gain negative or nan");
        require(within(*point.output_match, std::abs(lower.s22), std::abs(upper.s22)),
                "output match outside its points");
    }
    require(!point.applied.note().empty(), "no note");
}

void check_noise_point(const Touchstone& file, double freq_hz) {
    const NoisePoint point = *file.noise_at(freq_hz);
    const auto& lower = file.noise_records_at_50_ohms()[point.applied.lower.index];
    const auto& upper = file.noise_records_at_50_ohms()[point.applied.upper.index];
    require(within(point.nfmin_db, lower.nfmin_db, upper.nfmin_db) &&
                within(point.rn, lower.rn, upper.rn) &&
                within(point.gamma_opt.real(), lower.gamma_opt.real(), upper.gamma_opt.real()) &&
                within(point.gamma_opt.imag(), lower.gamma_opt.imag(), upper.gamma_opt.imag()),
            "noise parameters outside their records");
    require(std::abs(point.gamma_opt) < 1, "Gamma_opt outside the unit circle");
    require(point.held() == !point.applied.in_range() && !point.note().empty(), "no noise note");
    const auto p =
        orlavex::measure::noise_parameters_from_db(point.nfmin_db, point.gamma_opt, point.rn);
    require(orlavex::measure::noise_factor(p, point.gamma_opt) == p.fmin,
            "the noise factor at Gamma_opt is not Fmin");
    require(orlavex::measure::noise_factor(p, 0) >= p.fmin, "the noise factor below Fmin");
}

void check_noise(const Touchstone& file) {
    const auto records = file.noise_records_at_50_ohms();
    require(records.size() == file.noise_records().size(), "noise records lost at 50 ohms");
    if (records.empty()) {
        require(!file.noise_at(1e9).has_value(), "noise parameters from no records");
        return;
    }
    require(file.ports() == 2, "noise parameters of a one-port");
    for (std::size_t i = 0; i < records.size(); ++i) {
        const NoiseRecord& record = records[i];
        require(record.freq_hz >= 0 && record.freq_hz == file.noise_records()[i].freq_hz,
                "noise frequency negative or changed");
        require(i == 0 || records[i - 1].freq_hz < record.freq_hz, "noise frequencies not rising");
        require(record.nfmin_db >= 0 && record.rn >= 0 && std::isfinite(record.rn) &&
                    std::abs(record.gamma_opt) < 1,
                "noise record out of range");
        const NoisePoint point = *file.noise_at(record.freq_hz);
        require(point.applied.placement == Placement::at_record &&
                    point.nfmin_db == record.nfmin_db && point.gamma_opt == record.gamma_opt &&
                    point.rn == record.rn,
                "a noise record's own frequency does not give the record");
        check_noise_point(file, record.freq_hz);
        if (i + 1 < records.size()) {
            check_noise_point(file, record.freq_hz / 2 + records[i + 1].freq_hz / 2);
        }
    }
    check_noise_point(file, records.front().freq_hz - 1);
    check_noise_point(file, beyond(records.back().freq_hz));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int ports = data[0] % 2 == 0 ? 2 : 1;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const Touchstone file = parse_touchstone(text, "fuzz.snp", ports);
        require(file.ports() == ports, "ports changed");
        for (const double ohms : file.port_reference_ohms())
            require(ohms > 0 && std::isfinite(ohms), "reference resistance not above 0");
        const auto records = file.records_at_50_ohms();
        require(!records.empty(), "a file without data");
        require(records.size() == file.records().size(), "records lost on the way to 50 ohms");
        for (std::size_t i = 0; i < records.size(); ++i) {
            require(records[i].freq_hz >= 0, "negative frequency");
            require(records[i].freq_hz == file.records()[i].freq_hz, "frequency changed");
            for (const auto& s : {records[i].s11, records[i].s21, records[i].s12, records[i].s22})
                require(std::isfinite(std::abs(s)), "S-parameter not finite at 50 ohms");
            require(i == 0 || records[i - 1].freq_hz < records[i].freq_hz,
                    "frequencies not rising");
            const DutPoint point = file.at(records[i].freq_hz);
            require(point.applied.placement == Placement::at_record &&
                        point.input_match == std::abs(records[i].s11),
                    "a point's own frequency does not give the point");
            check_point(file, records[i].freq_hz);
            if (i + 1 < records.size()) {
                check_point(file, records[i].freq_hz / 2 + records[i + 1].freq_hz / 2);
            }
        }
        check_point(file, records.front().freq_hz - 1);
        check_point(file, beyond(records.back().freq_hz));
        check_noise(file);
    } catch (const FileError& error) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                                            std::count(text.begin(), text.end(), '\r') + 1);
        require(error.file() == "fuzz.snp", "the error names another file");
        require(error.line() >= 0 && error.line() <= lines, "the error names no line of the text");
        require(!error.message().empty(), "an error without a message");
    }
    return 0;
}

// Data files of about a megabyte each, made up the way calibration and
// network-analyser software writes them: an ENR table with uncertainty and
// reflections, and a 2-port Touchstone 1.x file in dB and degrees. The same
// bytes on every run, so that instructions per byte compare across runs.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace orlavex::bench {

// An ENR table of at least BYTES bytes, 10 MHz up in steps of 1 MHz.
inline std::string large_enr_text(std::size_t bytes) {
    std::string text =
        "# Noise source calibration\n[Filetype ENR]\n[Model NS346B]\n"
        "[Serialnumber EX-000123]\n! Freq ENR(dB) Unc(dB) on_mag on_deg off_mag off_deg\n";
    char line[128];
    for (int i = 0; text.size() < bytes; ++i) {
        const double ghz = 0.01 + 0.001 * i;
        const int n = std::snprintf(line, sizeof line,
                                    "%.3f   GHz    %.2f    %.2f    %.3f   %7.1f  %.3f   %7.1f\n",
                                    ghz, 15.5 - 0.00005 * (i % 20000), 0.15 + 0.00001 * (i % 9000),
                                    0.03 + 0.000002 * (i % 30000), -179.9 + (i * 7 % 3599) * 0.1,
                                    0.02 + 0.000002 * (i % 30000), 179.9 - (i * 11 % 3599) * 0.1);
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

// A 2-port Touchstone file of at least BYTES bytes, 1 GHz up in steps of
// 1 MHz, its pairs in FORMAT: "DB" (dB and degrees, the costliest to turn
// into S-parameters), "MA" (magnitude and degrees) or "RI"; |S21| about
// GAIN_DB (an amplifier, or below 0 a cable).
inline std::string large_s2p_text(std::size_t bytes, std::string_view format = "DB",
                                  double gain_db = 31.6) {
    std::string text = "! Low-noise amplifier\n# GHz S " + std::string(format) + " R 50\n";
    char line[160];
    for (int i = 0; text.size() < bytes; ++i) {
        const double angle = -179.0 + (i * 13 % 3580) * 0.1;
        const double db[] = {-10.3 - 0.0001 * (i % 10000), gain_db - 0.0001 * (i % 20000),
                             -57.4 + 0.0001 * (i % 10000), -10.7 - 0.0001 * (i % 30000)};
        const double degrees[] = {angle, -angle, angle / 2, -angle / 3};
        int n = std::snprintf(line, sizeof line, "%.3f", 1.0 + 0.001 * i);
        for (int k = 0; k < 4; ++k) {
            const double magnitude = std::pow(10.0, db[k] / 20);
            const double radians = degrees[k] * 3.141592653589793 / 180;
            const char* const pair = format == "DB" ? "  %.2f  %.1f" : "  %.6f  %.6f";
            const double first = format == "DB"   ? db[k]
                                 : format == "MA" ? magnitude
                                                  : magnitude * std::cos(radians);
            const double second = format == "RI" ? magnitude * std::sin(radians) : degrees[k];
            n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n),
                               format == "MA" ? "  %.6f  %.1f" : pair, first, second);
        }
        line[n++] = '\n';
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace orlavex::bench

// An instrument profile: the SCPI a kind of instrument takes for each step
// of a measurement, as data (data/instruments/*.json or the user's own
// file). Commands may hold placeholders, {freq_hz} and the names of the
// profile's "settings", filled in when they are sent.
//
//   {
//     "name": "...", "kind": "analyzer" | "supply",
//     "settings": {"rbw_hz": 1e6, ...},
//     "identify": "*IDN?", "reset": ["*RST", "*CLS"],
//     "zero_span": [...], "bandwidths": [...], "detector": [...], "averaging": [...],
//     "frequency": ["FREQ:CENT {freq_hz}"],
//     "single_sweep": [...], "wait": "*OPC?",
//     "read": "...?", "reading": {"unit": "dBm/Hz" | "dBm",
//                                "noise_bandwidth_hz": "{rbw_hz}",
//                                "integration_time_s": "{sweep_time_s} * {averages}"},
//     "source_on": [...], "source_off": [...], "dut_in": [...], "dut_out": [...]
//   }
//
// A step is one command or a list of them. An analyzer needs read and
// reading: the reading's unit (a density, or a power in its noise
// bandwidth), and the noise bandwidth and integration time one reading
// stands for, which give its scatter; each is a number or a product of
// numbers and settings. A supply needs source_on and source_off. dut_in and dut_out are
// for a bench with a switch that puts the DUT in the path.
#pragma once

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::instruments {

enum class ProfileKind { analyzer, supply };
enum class ReadingUnit { dbm_per_hz, dbm };

using Commands = std::vector<std::string>;

struct Profile {
    std::string name;
    ProfileKind kind = ProfileKind::analyzer;
    std::map<std::string, double, std::less<>> settings;
    std::string identify;  // a query; empty for none
    Commands reset, zero_span, bandwidths, detector, averaging, frequency, single_sweep;
    std::string wait;  // a query answered when the sweep is done; empty for none
    std::string read;  // the query that returns a reading
    ReadingUnit unit = ReadingUnit::dbm_per_hz;
    // The noise bandwidth and integration time a reading stands for, at the
    // profile's settings: the bandwidth a dBm reading's power is in.
    double noise_bandwidth_hz = 1;
    double integration_time_s = 0;
    Commands source_on, source_off, dut_in, dut_out;

    // Every command sent before the first frequency, in order.
    Commands preparation() const;
};

class ProfileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws ProfileError "NAME:LINE: what is wrong".
Profile parse_profile(std::string_view text, std::string_view name);
Profile read_profile(const std::filesystem::path& path);

// COMMAND with each {placeholder} replaced: {freq_hz} by FREQ_HZ, the others
// by PROFILE's settings; throws ProfileError for one it does not know.
std::string filled(std::string_view command, const Profile& profile, double freq_hz = 0);

// A number as SCPI takes it: the shortest text that reads back as X.
std::string scpi_text(double x);

}  // namespace orlavex::instruments

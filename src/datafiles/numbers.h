// Numbers and frequency units in data files, read the same way in every
// locale (std::from_chars), and frequencies written back for messages.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlavex::datafiles {

// One whole field as a finite double: an optional sign ('+' or '-'), digits
// with at most one point, an optional exponent. Anything else, including
// "inf", "nan", hexadecimal and values beyond the range of a double, gives
// nothing.
std::optional<double> parse_number(std::string_view field);

struct FrequencyUnit {
    std::string_view name;
    double hz;
};

// The units an ENR table may name; a Touchstone file names the first four.
inline constexpr FrequencyUnit frequency_units[] = {
    {"Hz", 1.0}, {"kHz", 1e3}, {"MHz", 1e6}, {"GHz", 1e9}, {"THz", 1e12}};
inline constexpr std::span<const FrequencyUnit> touchstone_frequency_units{frequency_units, 4};

// The unit named by `field`, in any letter case.
std::optional<double> frequency_unit_hz(std::string_view field,
                                        std::span<const FrequencyUnit> units);

// "Hz, kHz, MHz or GHz": the units for a message.
std::string unit_list(std::span<const FrequencyUnit> units);

bool equal_ignoring_case(std::string_view a, std::string_view b);

// A frequency for a message, in the largest unit up to GHz that keeps it at
// least 1, to 12 significant digits: "10 MHz", "2.4 GHz", "0 Hz",
// "109.999999992 GHz".
std::string frequency_text(double hz);

// A number for a message, to 9 significant digits.
std::string number_text(double x);

}  // namespace orlavex::datafiles

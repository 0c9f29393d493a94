#include "datafiles/numbers.h"

#include "datafiles/short_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace orlavex::datafiles {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> parse_number(std::string_view field) {
    // from_chars takes a '-' but not a '+', and also "inf" and "nan": a
    // number here starts with a digit or a point after at most one sign.
    std::string_view unsigned_part = field;
    if (field.starts_with('+')) {
        field.remove_prefix(1);
        unsigned_part = field;
    } else if (field.starts_with('-')) {
        unsigned_part.remove_prefix(1);
    }
    if (unsigned_part.empty() || !(is_digit(unsigned_part[0]) || unsigned_part[0] == '.')) {
        return std::nullopt;
    }
    if (const LeadingNumber number = leading_short_number(unsigned_part);
        number.length == unsigned_part.size()) {
        return unsigned_part.size() == field.size() ? number.value : -number.value;
    }
    double value = 0;
    const char* const end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> frequency_unit_hz(std::string_view field,
                                        std::span<const FrequencyUnit> units) {
    for (const auto& unit : units) {
        if (equal_ignoring_case(field, unit.name)) return unit.hz;
    }
    return std::nullopt;
}

std::string unit_list(std::span<const FrequencyUnit> units) {
    std::string list;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0) list += i + 1 == units.size() ? " or " : ", ";
        list += units[i].name;
    }
    return list;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

namespace {

std::string general_digits(double x, int digits) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string number_text(double x) {
    return general_digits(x, 9);
}

std::string frequency_text(double hz) {
    // Hz, kHz, MHz, GHz: the ENR-only THz is not used for messages.
    const auto units = touchstone_frequency_units;
    std::size_t chosen = 0;
    for (std::size_t i = 1; i < units.size(); ++i) {
        if (std::fabs(hz) >= units[i].hz) chosen = i;
    }
    // 12 digits tell 1 Hz apart up to 1 THz: two frequencies a message
    // compares never read the same.
    return general_digits(hz / units[chosen].hz, 12) + " " + std::string(units[chosen].name);
}

}  // namespace orlavex::datafiles

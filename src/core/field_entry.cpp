#include "core/field_entry.h"

#include "core/number_text.h"
#include "form/layout_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace orlavex::core {

namespace {

// VALUE with PLACES decimals, as printf's "%.*f" writes it (the exact binary
// value rounded, ties to even) at a fraction of its cost, which a sweep pays
// for every value it enters.
std::string fixed_text(double value, int places) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    if (error == std::errc{}) return std::string(buffer, end);
    // Too long for the buffer (a huge value): cut as snprintf cuts it.
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

constexpr double powers_of_ten[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// The digits of the integer part of WHOLE (1 <= WHOLE < 1e15) as
// 1 + floor(log10(WHOLE)) gives them. Counted by comparisons, except next to
// a power of ten, where the rounding of the logarithm decides.
int integer_digits_of(double whole) {
    constexpr double near = 1e-12;
    int digits = 1;
    double power = 10;
    for (; digits < 15 && whole >= power; power *= 10)
        ++digits;
    const double below = power / 10;
    if (whole < below * (1 + near) || whole > power * (1 - near))
        return 1 + static_cast<int>(std::log10(whole));
    return digits;
}

// The decimals field_text tries first for VALUE.
int first_places(double value, int max_chars, int max_decimals) {
    int places = std::clamp(max_decimals, 0, 15);
    if (max_chars > 0 && std::fabs(value) < 1e15) {
        const double whole = std::fabs(value);
        int integer_digits = whole < 1 ? 0 : integer_digits_of(whole);
        if (value < 0) ++integer_digits;
        // "ddd.ff": the point takes one character.
        places = std::min(places, std::max(0, max_chars - integer_digits - 1));
    }
    return places;
}

int digit_count(std::uint64_t n) {
    int count = 1;
    for (std::uint64_t power = 10; count < 20 && n >= power; power *= 10)
        ++count;
    return count;
}

// What the text of field_text at PLACES decimals reads as, worked out from
// the rounded integer |VALUE| * 10^PLACES without writing the text: the
// value when the text fits MAX_CHARS, NaN when it does not, nothing when
// the rounding is too close to a tie, or too large, to be sure of.
std::optional<double> fitting_value(double value, int places, int max_chars) {
    if (places > 8) return std::nullopt;
    const double scaled = std::fabs(value) * powers_of_ten[places];
    // Below 2^32 the product is within 2^-22 of the exact one: a fraction
    // further than that from a half rounds as the exact value does.
    if (!(scaled < 4e9)) return std::nullopt;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return std::nullopt;
    auto digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    // Trailing zeros and a bare point are dropped; "-0" reads "0".
    int decimals = places;
    for (; decimals > 0 && digits % 10 == 0; --decimals)
        digits /= 10;
    const bool negative = value < 0 && digits != 0;
    // The integer part has the digits beyond the decimals, or is a 0.
    const int integer_digits = digit_count(digits) - decimals;
    int length =
        (negative ? 1 : 0) + std::max(1, integer_digits) + (decimals > 0 ? decimals + 1 : 0);
    // "0.0123" goes without its leading zero when that makes it fit.
    if (length > max_chars && decimals > 0 && integer_digits <= 0) --length;
    if (length > max_chars) return std::numeric_limits<double>::quiet_NaN();
    // Both operands exact: the quotient is the double nearest to the text,
    // as reading the text gives it.
    const double read = static_cast<double>(digits) / powers_of_ten[decimals];
    return negative ? -read : read;
}

}  // namespace

std::optional<double> typed_value(double value, int max_chars, int max_decimals) {
    if (std::isfinite(value) && max_chars > 0 && std::fabs(value) < 1e15) {
        for (int places = first_places(value, max_chars, max_decimals); places >= 0; --places) {
            const std::optional<double> read = fitting_value(value, places, max_chars);
            if (!read) break;  // the texts themselves decide
            if (!std::isnan(*read)) return read;
            if (places == 0) return std::nullopt;
        }
    }
    const std::string text = field_text(value, max_chars, max_decimals);
    if (text.empty()) return std::nullopt;
    return read_number(text);
}

std::string field_text(double value, int max_chars, int max_decimals) {
    if (!std::isfinite(value)) return {};
    // Most decimals first: the first text that fits is the nearest one. The
    // integer part's width tells how many decimals can fit at best.
    for (int places = first_places(value, max_chars, max_decimals); places >= 0; --places) {
        std::string text = fixed_text(value, places);
        if (text.find('.') != std::string::npos) {
            while (text.back() == '0')
                text.pop_back();
            if (text.back() == '.') text.pop_back();
        }
        if (text == "-0") text = "0";
        // "0.0123" takes a digit more as ".0123", which the window reads alike.
        if (static_cast<int>(text.size()) > max_chars && text.starts_with("0.")) text.erase(0, 1);
        if (static_cast<int>(text.size()) > max_chars && text.starts_with("-0.")) text.erase(1, 1);
        if (max_chars <= 0 || static_cast<int>(text.size()) <= max_chars) return text;
    }
    return {};
}

int field_capacity(Ctl field) {
    return layout_table::designed_rows[static_cast<std::size_t>(field)].max_length;
}

int kept_decimals(Ctl field) {
    using enum Ctl;
    return field == txtDUT_NF || field == txtDUT_Gain || field == txtSA_Noise ? 2 : 15;
}

std::string entry_text(Ctl field, double value) {
    if (value == 0) value = 0;
    return field_text(value, field_capacity(field));
}

std::optional<double> held_as_typed(Ctl field, double value) {
    return typed_value(value, field_capacity(field), kept_decimals(field));
}

}  // namespace orlavex::core

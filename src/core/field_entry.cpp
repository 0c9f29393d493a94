#include "core/field_entry.h"

#include "core/number_text.h"
#include "form/layout_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

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

}  // namespace

std::string field_text(double value, int max_chars, int max_decimals) {
    if (!std::isfinite(value)) return {};
    // Most decimals first: the first text that fits is the nearest one. The
    // integer part's width tells how many decimals can fit at best.
    int places = std::clamp(max_decimals, 0, 15);
    if (max_chars > 0 && std::fabs(value) < 1e15) {
        const double whole = std::fabs(value);
        int integer_digits = whole < 1 ? 0 : 1 + static_cast<int>(std::log10(whole));
        if (value < 0) ++integer_digits;
        // "ddd.ff": the point takes one character.
        places = std::min(places, std::max(0, max_chars - integer_digits - 1));
    }
    for (; places >= 0; --places) {
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
    const std::string text = field_text(value, field_capacity(field), kept_decimals(field));
    if (text.empty()) return std::nullopt;
    return read_number(text);
}

}  // namespace orlavex::core

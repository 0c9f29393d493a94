#include "engine/field_values.h"

#include "core/number_text.h"
#include "engine/fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace orlavex {

namespace {

constexpr int most_decimals = 15;

// The length of the fixed-point TEXT once written as short as it reads:
// no trailing zeros or point, "0.5" as ".5", "-0" as "0".
int short_length(std::string_view text) {
    if (text.find('.') != std::string_view::npos) {
        text = text.substr(0, text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    if (text == "-0") return 1;
    int length = static_cast<int>(text.size());
    if (text.starts_with("0.") || text.starts_with("-0.")) --length;
    return length;
}

// The most decimals a fixed-point text of VALUE can have within MAX_CHARS.
int decimals_that_fit(double value, int max_chars, int decimals) {
    if (max_chars <= 0 || !(std::fabs(value) < 1e15)) return decimals;
    const double whole = std::fabs(value);
    int integer_digits = whole < 1 ? 0 : 1 + static_cast<int>(std::log10(whole));
    if (value < 0) ++integer_digits;
    return std::min(decimals, std::max(0, max_chars - integer_digits - 1));
}

std::string refusal(const Calculator& calc, Ctl field) {
    const std::string name(layout_row(field).name);
    if (!is_entry_field(field)) return name + " is not an entry field";
    if (calc.form.dialog != Ctl::none) return "a modal window is open";
    if (!is_showing(calc.form, field)) return name + " is not shown";
    for (Ctl c : outwards_from(field)) {
        if (layout_row(c).kind == Kind::Window) break;
        if (!calc.form[c].enabled) return name + " is disabled";
    }
    return {};
}

}  // namespace

int kept_decimals(Ctl field) {
    const FieldRule* rule = find_field(field);
    if (rule == nullptr || rule->written_decimals == every_decimal) return most_decimals;
    return rule->written_decimals;
}

std::optional<double> held_value(Ctl field, double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const int max_chars = layout_row(field).max_length;
    // Most decimals first: the first text that fits is the nearest one.
    for (int places = decimals_that_fit(value, max_chars, kept_decimals(field)); places >= 0;
         --places) {
        char text[400];
        const auto res =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
        if (res.ec != std::errc()) return std::nullopt;
        const std::string_view written(text, static_cast<std::size_t>(res.ptr - text));
        if (max_chars <= 0 || short_length(written) <= max_chars) {
            const double held = read_number(written);
            return held == 0.0 ? 0.0 : held;  // "-0" is written "0"
        }
    }
    return std::nullopt;
}

std::string set_field_value(Calculator& calc, Ctl field, double value) {
    if (std::string why = refusal(calc, field); !why.empty()) return why;
    const std::optional<double> held = held_value(field, value);
    if (!held) {
        return std::string(layout_row(field).name) + " cannot hold " + general_text(value);
    }
    Control& c = calc.form[field];
    c.text = general_text(*held, calc.form.decimal_separator);
    c.selstart = static_cast<int>(c.text.size());
    c.sellength = 0;
    return {};
}

}  // namespace orlavex

#include "engine/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace orlavex {

namespace {

bool skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The decimal digits of a finite non-zero |x| to 15 significant digits:
// |x| = 0.d1d2...d15 * 10^(point), digits as characters.
struct Digits {
    bool negative = false;
    std::string digits;  // exactly 15
    int point = 0;       // position of the decimal point within the digits
};

Digits fifteen_digits(double x) {
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    Digits d;
    if (s.front() == '-') {
        d.negative = true;
        s.remove_prefix(1);
    }
    const std::size_t e = s.find('e');
    for (char c : s.substr(0, e)) {
        if (is_digit(c)) d.digits.push_back(c);
    }
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
    d.point = exponent + 1;
    return d;
}

enum class Ties { even, away };

// |x| rounded to `places` decimals, as the digits of the integer |x|*10^places.
std::string rounded_digits(const Digits& d, int places, Ties ties) {
    const int keep = d.point + places;  // digits that stay
    if (keep >= static_cast<int>(d.digits.size())) {
        return d.digits + std::string(static_cast<std::size_t>(keep) - d.digits.size(), '0');
    }
    std::string kept = keep > 0 ? d.digits.substr(0, static_cast<std::size_t>(keep)) : "";
    bool up = false;
    if (keep >= 0) {
        const std::string rest = d.digits.substr(static_cast<std::size_t>(keep));
        const std::string half = "5" + std::string(rest.size() - 1, '0');
        if (rest > half) {
            up = true;
        } else if (rest == half) {
            const bool odd = !kept.empty() && ((kept.back() - '0') % 2 == 1);
            up = ties == Ties::away || odd;
        }
    }
    if (kept.empty()) kept = "0";
    if (up) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    return kept;
}

bool all_zero(std::string_view digits) { return digits.find_first_not_of('0') == std::string_view::npos; }

}  // namespace

double read_number(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (skipped(c)) continue;
        s.push_back(c == ',' ? '.' : c);
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string mantissa;
    int digits_before_point = 0;
    bool seen_point = false;
    bool seen_digit = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (is_digit(c)) {
            mantissa.push_back(c);
            seen_digit = true;
            if (!seen_point) ++digits_before_point;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (!seen_digit) return 0.0;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool exp_negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exp_negative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && is_digit(s[j])) {
            for (; j < s.size() && is_digit(s[j]); ++j) {
                if (exponent < 1'000'000) exponent = exponent * 10 + (s[j] - '0');
            }
            if (exp_negative) exponent = -exponent;
        }
    }
    const std::size_t first = mantissa.find_first_not_of('0');
    if (first == std::string::npos) return negative ? -0.0 : 0.0;
    // Normalise to d.ddd...e(N) so that from_chars sees a short exponent.
    const long long magnitude = exponent + digits_before_point - static_cast<long long>(first) - 1;
    if (magnitude > 400) {
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    if (magnitude < -400) return negative ? -0.0 : 0.0;
    std::string normal;
    normal.push_back(mantissa[first]);
    normal.push_back('.');
    normal.append(mantissa, first + 1, std::string::npos);
    normal.push_back('e');
    normal.append(std::to_string(magnitude));
    double value = 0.0;
    const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

std::string general_text(double x, char separator) {
    if (x == 0.0) return "0";
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    if (separator != '.') {
        for (char& c : s) {
            if (c == '.') c = separator;
        }
    }
    return s;
}

double round_to(double x, int places) {
    if (!std::isfinite(x) || x == 0.0) return x;
    const Digits d = fifteen_digits(x);
    if (d.point + places >= static_cast<int>(d.digits.size())) return x;
    const std::string kept = rounded_digits(d, places, Ties::even);
    if (all_zero(kept)) return 0.0;
    const std::string text = kept + "e" + std::to_string(-places);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return d.negative ? -value : value;
}

std::string format_number(double x, std::string_view format, char separator) {
    const std::size_t body = format.find_first_of("0#");
    if (format.empty() || body == std::string_view::npos) {
        return std::string(format) + general_text(x, separator);
    }
    const std::string_view prefix = format.substr(0, body);
    std::size_t end = body;
    while (end < format.size() && (format[end] == '0' || format[end] == '#')) ++end;
    int places = 0;
    if (end < format.size() && format[end] == '.') {
        ++end;
        while (end < format.size() && (format[end] == '0' || format[end] == '#')) {
            ++places;
            ++end;
        }
    }
    const std::string_view suffix = format.substr(end);
    if (!std::isfinite(x)) return std::string(prefix) + general_text(x, separator) + std::string(suffix);

    std::string digits = "0";
    bool negative = false;
    if (x != 0.0) {
        const Digits d = fifteen_digits(x);
        digits = rounded_digits(d, places, Ties::away);
        negative = d.negative && !all_zero(digits);
    }
    if (digits.size() < static_cast<std::size_t>(places) + 1) {
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    }
    std::string out(prefix);
    if (negative) out.push_back('-');
    out.append(digits, 0, digits.size() - static_cast<std::size_t>(places));
    if (places > 0) {
        out.push_back(separator);
        out.append(digits, digits.size() - static_cast<std::size_t>(places), std::string::npos);
    }
    out.append(suffix);
    return out;
}

}  // namespace orlavex

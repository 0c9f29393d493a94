#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace orlavex {

namespace {

bool skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal digits of a finite non-zero |x| to 15 significant digits:
// |x| = 0.d1d2...d15 * 10^(point), digits as characters. The shortest form
// that reads back as x is rounded to 15 digits; that is the correctly
// rounded value except for a tie within the last two of 17 digits.
struct Digits {
    bool negative = false;
    char digits[16] = {};  // exactly 15, then a terminator
    int point = 0;         // position of the decimal point within the digits
    std::string_view view() const { return {digits, 15}; }
};

Digits fifteen_digits(double x) {
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const char* p = buf;
    Digits d;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    char all[24];
    int count = 0;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (is_digit(*p) && count < 24) all[count++] = *p;
    }
    int exponent = 0;
    ++p;  // 'e'
    const bool exp_negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    std::from_chars(p, res.ptr, exponent);
    if (exp_negative) exponent = -exponent;
    for (int i = count; i < 15; ++i)
        all[i] = '0';
    bool carry = count > 15 && all[15] >= '5';
    for (int i = 14; carry && i >= 0; --i) {
        if (all[i] == '9') {
            all[i] = '0';
        } else {
            ++all[i];
            carry = false;
        }
    }
    if (carry) {  // 9.99...95 became 10.0...
        all[0] = '1';
        ++exponent;
    }
    std::copy(all, all + 15, d.digits);
    d.point = exponent + 1;
    return d;
}

constexpr double powers_of_ten[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// x as m / 10^k with the fewest decimals k <= 8 and |m| < 10^15, if there
// is such a form: then it is also the 15-digit form. A fast path for the
// short values that fill the entry fields.
bool short_decimal(double x, long long& m, int& k) {
    for (k = 0; k < 9; ++k) {
        const double scaled = x * powers_of_ten[k];
        if (!(std::fabs(scaled) < 1e15)) return false;
        const double r = std::nearbyint(scaled);
        if (r / powers_of_ten[k] == x) {
            m = static_cast<long long>(r);
            return true;
        }
    }
    return false;
}

// |x| * 10^places split into whole and fraction, when the rounding of it is
// unambiguous (far from a tie) and fits: a fast path for formats and Round.
bool clear_rounding(double x, int places, bool& up, double& whole) {
    if (places < 0 || places > 8) return false;
    const double scaled = std::fabs(x) * powers_of_ten[places];
    if (!(scaled < 1e14)) return false;
    whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return false;
    up = fraction > 0.5;
    return true;
}

enum class Ties { even, away };

// |x| rounded to `places` decimals, as the digits of the integer |x|*10^places.
std::string rounded_digits(const Digits& d, int places, Ties ties) {
    const std::string_view digits = d.view();
    const int keep = d.point + places;  // digits that stay
    if (keep >= static_cast<int>(digits.size())) {
        return std::string(digits) +
               std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
    }
    std::string kept(keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : "");
    bool up = false;
    if (keep >= 0) {
        const std::string_view rest = digits.substr(static_cast<std::size_t>(keep));
        const int first = rest.front() - '0';
        const bool rest_zero = rest.find_first_not_of('0', 1) == std::string_view::npos;
        if (first > 5 || (first == 5 && !rest_zero)) {
            up = true;
        } else if (first == 5) {
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

bool all_zero(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

double read_number(std::string_view text) {
    std::size_t i = 0;
    const auto at = [&]() -> char {
        while (i < text.size() && skipped(text[i]))
            ++i;
        return i < text.size() ? (text[i] == ',' ? '.' : text[i]) : '\0';
    };
    bool negative = false;
    if (const char c = at(); c == '+' || c == '-') {
        negative = c == '-';
        ++i;
    }
    // Up to 40 significant digits are kept; the rest only move the point.
    char mantissa[40];
    int kept = 0;
    long long point = 0;  // decimal exponent of the digit after the last kept one
    bool seen_point = false;
    bool seen_digit = false;
    for (char c = at(); c != '\0'; ++i, c = at()) {
        if (is_digit(c)) {
            seen_digit = true;
            if (kept == 0 && c == '0') {
                if (seen_point) --point;
            } else if (kept < 40) {
                mantissa[kept++] = c;
                if (seen_point) --point;
            } else if (!seen_point) {
                ++point;
            }
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (!seen_digit) return 0.0;
    long long exponent = 0;
    if (const char c = at(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
        const std::size_t mark = ++i;
        bool exp_negative = false;
        if (const char sign = at(); sign == '+' || sign == '-') {
            exp_negative = sign == '-';
            ++i;
        }
        if (is_digit(at())) {
            for (char digit = at(); is_digit(digit); ++i, digit = at()) {
                if (exponent < 1'000'000) exponent = exponent * 10 + (digit - '0');
            }
            if (exp_negative) exponent = -exponent;
        } else {
            i = mark;  // an exponent without digits is not part of the number
        }
    }
    if (kept == 0) return negative ? -0.0 : 0.0;
    // value = 0.mantissa * 10^(kept + point + exponent)
    const long long magnitude = kept + point + exponent;
    if (magnitude > 400) {
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    if (magnitude < -400) return negative ? -0.0 : 0.0;
    char normal[64];
    char* out = normal;
    *out++ = '.';
    out = std::copy(mantissa, mantissa + kept, out);
    *out++ = 'e';
    out = std::to_chars(out, normal + sizeof normal, magnitude).ptr;
    double value = 0.0;
    const auto res = std::from_chars(normal, out, value);
    if (res.ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

std::string general_text(double x, char separator) {
    if (x == 0.0) return "0";
    if (!std::isfinite(x)) {
        char buf[8];
        const auto res = std::to_chars(buf, buf + sizeof buf, x);
        return std::string(buf, res.ptr);
    }
    long long m = 0;
    int k = 0;
    if (short_decimal(x, m, k) && std::fabs(x) >= 1e-4) {
        std::string out = std::to_string(m < 0 ? -m : m);
        if (k > 0) {
            if (out.size() <= static_cast<std::size_t>(k)) {
                out.insert(0, static_cast<std::size_t>(k) + 1 - out.size(), '0');
            }
            out.insert(out.size() - static_cast<std::size_t>(k), 1, separator);
        }
        if (m < 0) out.insert(0, 1, '-');
        return out;
    }
    const Digits d = fifteen_digits(x);
    std::string_view digits = d.view();
    digits = digits.substr(0, digits.find_last_not_of('0') + 1);
    const int exponent = d.point - 1;
    std::string out;
    out.reserve(24);
    if (d.negative) out.push_back('-');
    if (exponent < -4 || exponent >= 15) {
        // Exponent form, as "1e-05" or "1.5e+20".
        out.push_back(digits.front());
        if (digits.size() > 1) {
            out.push_back(separator);
            out.append(digits.substr(1));
        }
        out.push_back('e');
        out.push_back(exponent < 0 ? '-' : '+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out.push_back('0');
        out.append(std::to_string(magnitude));
    } else if (d.point <= 0) {
        out.append("0");
        out.push_back(separator);
        out.append(static_cast<std::size_t>(-d.point), '0');
        out.append(digits);
    } else if (static_cast<int>(digits.size()) <= d.point) {
        out.append(digits);
        out.append(static_cast<std::size_t>(d.point) - digits.size(), '0');
    } else {
        out.append(digits.substr(0, static_cast<std::size_t>(d.point)));
        out.push_back(separator);
        out.append(digits.substr(static_cast<std::size_t>(d.point)));
    }
    return out;
}

double shown_value(double x) {
    if (x == 0.0 || !std::isfinite(x)) return 0.0;  // "0", "inf" and "nan" read as 0
    long long m = 0;
    int k = 0;
    // The text is exactly m / 10^k, and that quotient is x.
    if (std::fabs(x) >= 1e-4 && short_decimal(x, m, k)) return x;
    const Digits d = fifteen_digits(x);
    char text[32];
    char* end = std::copy(d.digits, d.digits + 15, text);
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, d.point - 15).ptr;
    double value = 0.0;
    if (std::from_chars(text, end, value).ec == std::errc::result_out_of_range) {
        value = d.point > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return d.negative ? -value : value;
}

double round_to(double x, int places) {
    if (!std::isfinite(x) || x == 0.0) return x;
    bool up = false;
    double whole = 0;
    if (clear_rounding(x, places, up, whole)) {
        const double r = (whole + (up ? 1 : 0)) / powers_of_ten[places];
        return x < 0 ? -r : r;
    }
    const Digits d = fifteen_digits(x);
    if (d.point + places >= 15) {
        // Nothing beyond the 15 digits to round: the value is its 15-digit form.
        const std::string text = std::string(d.view()) + "e" + std::to_string(d.point - 15);
        double value = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return d.negative ? -value : value;
    }
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
    while (end < format.size() && (format[end] == '0' || format[end] == '#'))
        ++end;
    int places = 0;
    if (end < format.size() && format[end] == '.') {
        ++end;
        while (end < format.size() && (format[end] == '0' || format[end] == '#')) {
            ++places;
            ++end;
        }
    }
    const std::string_view suffix = format.substr(end);
    if (!std::isfinite(x))
        return std::string(prefix) + general_text(x, separator) + std::string(suffix);

    std::string digits = "0";
    bool negative = false;
    bool up = false;
    double whole = 0;
    if (x != 0.0 && clear_rounding(x, places, up, whole)) {
        digits = std::to_string(static_cast<long long>(whole) + (up ? 1 : 0));
        negative = x < 0 && digits.find_first_not_of('0') != std::string::npos;
    } else if (x != 0.0) {
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

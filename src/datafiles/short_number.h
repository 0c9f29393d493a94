// The numbers of data files in their usual short form, read in the time
// a reader of numbers cannot do without: inline, with no library call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orlavex::datafiles {

// A number at the start of a text and its length in characters, 0 for none.
struct LeadingNumber {
    double value;
    std::size_t length;
};

// The powers of ten a double holds exactly.
inline constexpr double exact_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The digits from AT added to DIGITS; where they end.
inline const char* take_digits(const char* at, const char* end, std::uint64_t& digits) {
    std::uint64_t taken = digits;  // in a register, not through the reference
    for (; at != end; ++at) {
        const std::uint64_t digit = static_cast<unsigned char>(*at) - std::uint64_t{'0'};
        if (digit > 9) break;
        taken = taken * 10 + digit;
    }
    digits = taken;
    return at;
}

// Digits with at most one decimal point among or after them, as in "10.30"
// or "179": their number without the point, and their places after it.
struct PlainDecimal {
    std::uint64_t digits;
    std::ptrdiff_t places;
    const char* end;  // where they end; nullptr for no digits or over 15
};

inline PlainDecimal plain_decimal(const char* begin, const char* end) {
    std::uint64_t digits = 0;  // wraps past 19 digits, which are refused below
    const char* at = take_digits(begin, end, digits);
    std::ptrdiff_t count = at - begin, places = 0;
    if (at != end && *at == '.') {
        const char* const fraction = at + 1;
        at = take_digits(fraction, end, digits);
        places = at - fraction;
        count += places;
    }
    if (count == 0 || count > 15) return {0, 0, nullptr};  // under 2^53 up to here
    return {digits, places, at};
}

// A plain decimal's value: one correctly rounded division of exact doubles.
inline double plain_decimal_value(const PlainDecimal& decimal) {
    // Below 2^53: exact, and as a signed number the shorter conversion.
    return static_cast<double>(static_cast<std::int64_t>(decimal.digits)) /
           exact_powers_of_ten[decimal.places];
}

// The number from BEGIN, the plain decimal DECIMAL followed by an exponent.
inline LeadingNumber with_exponent(const char* begin, const PlainDecimal& decimal,
                                   const char* end) {
    const char* at = decimal.end + 1;  // past the 'e'
    const bool negative = at != end && *at == '-';
    if (at != end && (*at == '-' || *at == '+')) ++at;
    const char* const exponent_start = at;
    std::ptrdiff_t exponent = 0;
    for (; at != end && *at >= '0' && *at <= '9' && at - exponent_start < 4; ++at)
        exponent = exponent * 10 + (*at - '0');
    if (at == exponent_start || (at != end && *at >= '0' && *at <= '9')) return {0, 0};
    const std::ptrdiff_t scale = (negative ? -exponent : exponent) - decimal.places;
    const auto value = static_cast<double>(static_cast<std::int64_t>(decimal.digits));
    const auto length = static_cast<std::size_t>(at - begin);
    if (value == 0) return {value, length};
    if (scale < -22 || scale > 22) return {0, 0};
    return {scale < 0 ? value / exact_powers_of_ten[-scale] : value * exact_powers_of_ten[scale],
            length};
}

// The number (without a sign) from BEGIN, when it has at most 15 digits and
// a power of ten within 1e22, so that it is one correctly rounded operation
// on exact doubles and the same double parse_number gives (Clinger's fast
// path); length 0 for any other text, which parse_number still reads or
// refuses.
inline LeadingNumber short_number_at(const char* begin, const char* end) {
    const PlainDecimal decimal = plain_decimal(begin, end);
    if (decimal.end == nullptr) return {0, 0};
    if (decimal.end != end && (*decimal.end | 0x20) == 'e')
        return with_exponent(begin, decimal, end);
    return {plain_decimal_value(decimal), static_cast<std::size_t>(decimal.end - begin)};
}

// The same at the start of TEXT.
inline LeadingNumber leading_short_number(std::string_view text) {
    return short_number_at(text.data(), text.data() + text.size());
}

}  // namespace orlavex::datafiles

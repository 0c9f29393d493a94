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

// The number (without a sign) at the start of TEXT, when it has at most 15
// digits and a power of ten within 1e22, so that it is one correctly
// rounded operation on exact doubles and the same double parse_number
// gives (Clinger's fast path); length 0 for any other text, which
// parse_number still reads or refuses.
inline LeadingNumber leading_short_number(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::uint64_t digits = 0;  // wraps past 19 digits, which are refused below
    const char* at = take_digits(begin, end, digits);
    std::ptrdiff_t count = at - begin, scale = 0;
    if (at != end && *at == '.') {
        const char* const fraction = at + 1;
        at = take_digits(fraction, end, digits);
        count += at - fraction;
        scale = fraction - at;
    }
    if (count == 0 || count > 15) return {0, 0};  // under 2^53 up to here
    // Exact, and below 2^53 (as a signed number, the shorter conversion).
    const auto value = static_cast<double>(static_cast<std::int64_t>(digits));
    if (at == end || (*at | 0x20) != 'e') {  // no exponent: 15 places at most
        return {value / exact_powers_of_ten[-scale], static_cast<std::size_t>(at - begin)};
    }
    ++at;
    const bool negative = at != end && *at == '-';
    if (at != end && (*at == '-' || *at == '+')) ++at;
    const char* const exponent_start = at;
    std::ptrdiff_t exponent = 0;
    for (; at != end && *at >= '0' && *at <= '9' && at - exponent_start < 4; ++at)
        exponent = exponent * 10 + (*at - '0');
    if (at == exponent_start || (at != end && *at >= '0' && *at <= '9')) return {0, 0};
    scale += negative ? -exponent : exponent;
    const auto length = static_cast<std::size_t>(at - begin);
    if (digits == 0) return {value, length};
    if (scale < -22 || scale > 22) return {0, 0};
    return {scale < 0 ? value / exact_powers_of_ten[-scale] : value * exact_powers_of_ten[scale],
            length};
}

}  // namespace orlavex::datafiles

#include "app/inputs/reflection_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace orlavex::app {

namespace {

constexpr double degrees_per_radian = 180 / std::numbers::pi;

// The whole of TEXT as one number.
std::optional<double> whole_number_text(std::string_view text) {
    double x = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, x);
    if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
    return x;
}

}  // namespace

std::optional<std::complex<double>> reflection_of(double mag, double deg) {
    if (!(std::isfinite(mag) && std::isfinite(deg) && mag >= 0 && mag < 1)) return std::nullopt;
    return std::polar(mag, deg / degrees_per_radian);
}

std::optional<std::complex<double>> read_reflection(std::string_view text) {
    const std::size_t at = text.find('@');
    if (at == std::string_view::npos) return std::nullopt;
    const std::optional<double> mag = whole_number_text(text.substr(0, at));
    const std::optional<double> deg = whole_number_text(text.substr(at + 1));
    if (!mag || !deg) return std::nullopt;
    return reflection_of(*mag, *deg);
}

double reflection_degrees(std::complex<double> gamma) {
    return std::arg(gamma) * degrees_per_radian;
}

std::string reflection_text(std::complex<double> gamma) {
    // To 12 digits: the polar form read back need not give the typed digits
    // in the last place.
    const auto text = [](double x) {
        std::array<char, 32> buffer{};
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                       std::chars_format::general, 12);
        std::string s(buffer.data(), end.ptr);
        return s == "-0" ? std::string("0") : s;
    };
    return text(std::abs(gamma)) + "@" + text(reflection_degrees(gamma));
}

}  // namespace orlavex::app

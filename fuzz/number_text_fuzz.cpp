// The number rule and the number-to-text form. Any text reads as a finite
// number; any normal double written with either separator reads back as the
// same number to 15 significant digits, and writing that again gives the
// same text. Rounding and formats never crash on what the rule produces.
#include "core/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void require(bool ok, const char* what, double x) {
    if (ok) return;
    std::fprintf(stderr, "%s (x = %.17g)\n", what, x);
    std::abort();
}

// Half a unit in the 15th significant digit of x.
double half_unit(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.16e", std::fabs(x));
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    return 0.5 * std::pow(10.0, exponent - 14);
}

void round_trip(double x, char separator) {
    const std::string text = orlavex::general_text(x, separator);
    const double back = orlavex::read_number(text);
    // Near the largest double the 15 digits may round up past it; the rule
    // then reads the largest double, which is still within half a unit.
    // The 15 digits come from the shortest form of x, so a tie within its
    // last two digits may round away: allow a few units of the double too.
    const double ulp = std::nextafter(std::fabs(x), HUGE_VAL) - std::fabs(x);
    require(std::fabs(back - x) <= half_unit(x) + 4 * ulp, "read back differs", x);
    require(orlavex::general_text(back, separator) == text, "written again differs", x);
    require(text.find(separator == '.' ? ',' : '.') == std::string::npos, "wrong separator", x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = orlavex::read_number(text);
    require(std::isfinite(read), "a text read as a non-finite number", read);
    round_trip(read == 0 || std::fabs(read) >= DBL_MIN ? read : 0.0, '.');

    if (size >= sizeof(double) + 1) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        const int places = data[sizeof x] % 10;
        if (std::isfinite(x) && (x == 0 || std::fabs(x) >= DBL_MIN)) {
            round_trip(x, '.');
            round_trip(x, ',');
            const double r = orlavex::round_to(x, places);
            require(std::isfinite(r), "rounding a finite number gave a non-finite one", x);
            const std::string formatted = orlavex::format_number(x, " 0.0000", ',');
            require(formatted.find("nan") == std::string::npos, "format shows nan", x);
        }
    }
    return 0;
}

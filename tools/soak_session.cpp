#include "soak_session.h"

#include "drive/driver.h"
#include "random_actions.h"
#include "recalc_probe.h"
#include "window_checks.h"

#include <ostream>

namespace orlavex::soak {

namespace {

// Runs one line and checks the window; the broken rule, or empty. A line the
// driver refuses is fine: refusing changes nothing.
std::string run_and_check(Driver& driver, const std::string& line) {
    std::ostream discard(nullptr);
    Calculator& calc = driver.calculator();
    arm_probe(calc);
    driver.run_line(line, discard);
    const bool recalculated = take_probe(calc);
    return check_window(calc, recalculated);
}

Driver started() {
    Driver driver;
    install_probe(driver.calculator());
    return driver;
}

}  // namespace

std::optional<Break> replay(const std::vector<std::string>& lines) {
    Driver driver = started();
    if (std::string why = check_window(driver.calculator(), true); !why.empty()) {
        return Break{0, why};
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::string why = run_and_check(driver, lines[i]); !why.empty()) {
            return Break{i + 1, why};
        }
    }
    return std::nullopt;
}

std::optional<Break> play_random(std::uint64_t seed, long actions,
                                 std::vector<std::string>& played) {
    Driver driver = started();
    if (std::string why = check_window(driver.calculator(), true); !why.empty()) {
        return Break{0, why};
    }
    RandomActions source(seed);
    for (long n = 0; n < actions; ++n) {
        played.push_back(source.next(driver.calculator()));
        if (std::string why = run_and_check(driver, played.back()); !why.empty()) {
            return Break{played.size(), why};
        }
    }
    return std::nullopt;
}

}  // namespace orlavex::soak

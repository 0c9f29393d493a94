// Giving an input its start-up value changes nothing: the result does not
// depend on which inputs were given, nor in which order they were entered.
#include "app/inputs/inputs.h"
#include "app/results/point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orlavex::app {
namespace {

// An analyzer whose upper limit holds the frequency given: the catalogue's
// values must be those at the held frequency however the set-up is entered.
Setup held_frequency() {
    Setup s;
    s.analyzer = "Dalmor-1";
    s.field("freq") = 12.659;
    return s;
}

TEST(StartUpValues, GivingAnInputItsStartUpValueChangesNothing) {
    const PointOutcome plain = run_point(held_frequency(), {}, false);
    ASSERT_TRUE(plain.point) << plain.refused;
    std::size_t compared = 0;
    for (const FieldInput& row : field_inputs()) {
        if (std::isnan(row.start) || row.scope == Scope::levels || row.name == "freq") continue;
        if (row.fixed_by == FixedBy::analyzer) continue;   // the model gives it
        if (row.name.starts_with("ext_preamp")) continue;  // giving one adds the preamp
        app::Setup s = held_frequency();
        s[row] = row.start;
        const PointOutcome given = run_point(s, {}, false);
        if (!given.point) continue;  // a field this set-up does not show
        ++compared;
        EXPECT_EQ(given.point->budget.U_db, plain.point->budget.U_db) << row.flag;
        EXPECT_EQ(given.point->classic.rss_db, plain.point->classic.rss_db) << row.flag;
        EXPECT_EQ(given.point->classic.ymeas_db, plain.point->classic.ymeas_db) << row.flag;
    }
    EXPECT_GE(compared, 8u);
}

}  // namespace
}  // namespace orlavex::app

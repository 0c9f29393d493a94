// The planner's measurement plan from the dialog's choices and the plan's
// set-up: a converting DUT is read at its outputs, its LO held where the
// set-up puts it, as orlavex-cli measure reads it.
#include "session/bench_measurement.h"

#include "app/setup_file/setup_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlavex::session {
namespace {

const std::string data = ORLAVEX_INSTRUMENT_DATA_DIR;

TEST(MeasurementPlan, AConvertingDutIsReadAtItsOutputsWithTheLoHeld) {
    struct Case {
        const char* setup;
        bool fixed_if;
        double from_ghz, to_ghz;
        std::vector<double> outputs;  // empty: read at the inputs
        const char* refused;          // empty: planned
    };
    // The mixer's LO is 10 GHz below its input (12 GHz in, 2 GHz out).
    const Case cases[] = {
        {"plan.orlavex.json", false, 11, 14, {}, ""},
        {"mixer-below.orlavex.json", false, 11, 14, {1, 2, 3, 4}, ""},
        {"mixer-below.orlavex.json", true, 11, 14, {}, "fixed_if would move it"},
        {"mixer-below.orlavex.json", false, 8, 11, {}, "From and To: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setup) + " from " + std::to_string(c.from_ghz));
        app::SweepRequest request = app::read_setup_file(data + "/" + c.setup);
        request.fixed_if = c.fixed_if;
        MeasureChoices choices;
        choices.analyzer = "TCPIP::127.0.0.1::5025::SOCKET";
        choices.from_ghz = c.from_ghz;
        choices.to_ghz = c.to_ghz;
        choices.points = 4;
        instruments::MeasurementPlan plan;
        const std::string why = measurement_plan(choices, request, plan);
        if (*c.refused != '\0') {
            EXPECT_NE(why.find(c.refused), std::string::npos) << why;
            continue;
        }
        ASSERT_EQ(why, "");
        EXPECT_EQ(plan.freqs_ghz, (std::vector<double>{11, 12, 13, 14}));
        ASSERT_EQ(plan.outputs_ghz.size(), c.outputs.size());
        for (std::size_t i = 0; i < c.outputs.size(); ++i)
            EXPECT_NEAR(plan.outputs_ghz[i], c.outputs[i], 1e-9);
    }
}

}  // namespace
}  // namespace orlavex::session

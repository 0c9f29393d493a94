#include "driven_window.h"

#include "drive/driver.h"
#include "engine/controls.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace orlavex::cli::test {

namespace {

// The names the JSON contract promises, written out here rather than taken
// from the code under test.
std::string contract_lamp_name(Lamp lamp) {
    switch (lamp) {
        case Lamp::green:
            return "green";
        case Lamp::yellow:
            return "yellow";
        case Lamp::red:
            return "red";
        case Lamp::grey:
            return "grey";
    }
    return "?";
}

}  // namespace

Calculator driven(std::string_view script) {
    Driver driver;
    std::ostringstream sink;
    std::istringstream in{std::string(script)};
    for (std::string line; std::getline(in, line);) {
        EXPECT_EQ(driver.run_line(line, sink), "") << line;
    }
    return driver.calculator();
}

void expect_figures_of(const Calculator& window, const nlohmann::json& c) {
    const ClassicFigures& f = window.figures;
    ASSERT_TRUE(c.is_object());
    EXPECT_EQ(c["valid"], f.valid);
    EXPECT_EQ(c["enr_eff_db"], f.enr_eff_db);
    if (f.valid) {
        // Numbers go through JSON unchanged: the very doubles of the window.
        EXPECT_EQ(c["ycal_db"], f.ycal_db);
        EXPECT_EQ(c["ymeas_db"], f.ymeas_db);
        EXPECT_EQ(c["nf_sys_db"], f.nf_sys_db);
        EXPECT_EQ(c["nf_sa_net_db"], f.nf_sa_net_db);
        if (is_checked(window, Ctl::mnu2ndStage)) {
            EXPECT_EQ(c["levels_dbm"]["cal_on"], f.cal_on_dbm);
            EXPECT_EQ(c["levels_dbm"]["cal_off"], f.cal_off_dbm);
        } else {
            // Without second-stage correction nobody calibrates.
            EXPECT_TRUE(c["levels_dbm"]["cal_on"].is_null());
            EXPECT_TRUE(c["levels_dbm"]["cal_off"].is_null());
        }
        EXPECT_EQ(c["levels_dbm"]["meas_on"], f.meas_on_dbm);
        EXPECT_EQ(c["levels_dbm"]["meas_off"], f.meas_off_dbm);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c["guidelines"][i]["lamp"], contract_lamp_name(f.lamp[i]))
            << "guideline " << i + 1;
        if (f.valid) {
            EXPECT_EQ(c["guidelines"][i]["margin_db"], f.margin_db[i]);
        }
    }
    if (f.rss_db) {
        EXPECT_EQ(c["rss_db"], *f.rss_db);
        EXPECT_EQ(c["bias_db"], f.bias_db);
    } else {
        EXPECT_TRUE(c["rss_db"].is_null());
    }
}

}  // namespace orlavex::cli::test

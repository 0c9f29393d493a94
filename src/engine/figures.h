// The classic figures of the last recalculation as numbers: what the window
// shows, written by Do_Calc from the same values it formats, so that no
// program has to read them back from texts.
#pragma once

#include <optional>
#include <string>

namespace orlavex {

enum class Lamp { green, yellow, red, grey };

struct ClassicFigures {
    // True when the recalculation ran to the uncertainty (no invalid set-up,
    // no error of the manual levels).
    bool valid = false;
    double enr_eff_db = 0, ycal_db = 0, ymeas_db = 0, nf_sys_db = 0, nf_sa_net_db = 0;
    double cal_on_dbm = 0, cal_off_dbm = 0, meas_on_dbm = 0, meas_off_dbm = 0;
    // Guideline margins as their texts show them (rounded to 0.01 dB, the
    // value the lamp is rated on), in the window's order 1, 2, 3.
    double margin_db[3] = {};
    Lamp lamp[3] = {Lamp::grey, Lamp::grey, Lamp::grey};
    std::optional<double> rss_db;  // empty where the window shows no uncertainty
    double bias_db = 0;            // offset without second-stage correction
    // Manual mode: the evaluated DUT and analyzer, and the message the
    // window's error line shows (empty when none).
    bool manual = false;
    std::optional<double> nf_dut_db, gain_db, nf_sa_db;
    std::string error;
};

}  // namespace orlavex

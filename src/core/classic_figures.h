// The classic figures of the last recalculation as numbers: what the window
// shows, written by Do_Calc from the same values it formats, so that no
// program has to read them back from texts.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex {

enum class Lamp { green, yellow, red, grey };

// The lamp's colour as scripts and files name it.
constexpr std::string_view lamp_name(Lamp lamp) {
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
    return "grey";
}

// A figure the last run did not compute (the window shows "- - -" there) is
// NaN.
inline constexpr double not_computed = std::numeric_limits<double>::quiet_NaN();

struct ClassicFigures {
    // True when the recalculation ran to the uncertainty (no invalid set-up,
    // no error of the manual levels).
    bool valid = false;
    double enr_eff_db = not_computed, ycal_db = not_computed, ymeas_db = not_computed;
    double nf_sys_db = not_computed, nf_sa_net_db = not_computed;
    // The four levels the fields show (predicted, or entered in manual mode).
    double cal_on_dbm = not_computed, cal_off_dbm = not_computed;
    double meas_on_dbm = not_computed, meas_off_dbm = not_computed;
    // Guideline margins as their texts show them (rounded to 0.01 dB, the
    // value the lamp is rated on), in the window's order 1, 2, 3.
    double margin_db[3] = {not_computed, not_computed, not_computed};
    Lamp lamp[3] = {Lamp::grey, Lamp::grey, Lamp::grey};
    // dB, empty where the window shows no uncertainty (above 100 dB the
    // window shows ">100 dB").
    std::optional<double> rss_db;
    double bias_db = not_computed;  // offset without second-stage correction
    // Manual mode: the evaluated DUT and analyzer, and the message the
    // window's error line shows (empty when none).
    bool manual = false;
    std::optional<double> nf_dut_db, gain_db, nf_sa_db;
    std::string error;
};

}  // namespace orlavex

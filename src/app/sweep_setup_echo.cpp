#include "app/sweep_setup_echo.h"

#include "app/json.h"
#include "app/setup_echo.h"
#include "engine/controls.h"
#include "planning/swept_input.h"

namespace orlavex::app {

namespace {

// The catalogue names as the window shows them under its instruments.
Setup shown_names(const Calculator& calc) {
    Setup names;
    names.analyzer = calc.form[Ctl::lblSAsel].text;
    names.noise_source = calc.form[Ctl::lblNSsel].text;
    return names;
}

Json file_name_or_null(const std::string* name) {
    return name != nullptr ? Json(*name) : Json(nullptr);
}

Json range_json(const planning::Sweep& sweep) {
    Json j;
    j["over"] = std::string(planning::info(sweep.over).name);
    j["from"] = sweep.from;
    j["to"] = sweep.to;
    j["points"] = sweep.points;
    j["log"] = sweep.spacing == planning::Spacing::logarithmic;
    j["match_form"] = sweep.match_form == planning::MatchForm::return_loss ? "rl" : "vswr";
    return j;
}

}  // namespace

std::string sweep_setup_echo(const planning::Sweep& sweep) {
    Json j;
    j["inputs"] = setup_json(used_setup(sweep.base, shown_names(sweep.base)));
    j["sweep"] = range_json(sweep);
    j["enr_table"] = file_name_or_null(sweep.enr_table ? &sweep.enr_table->name() : nullptr);
    j["dut_s2p"] =
        file_name_or_null(sweep.dut_sparameters ? &sweep.dut_sparameters->name() : nullptr);
    if (sweep.monte_carlo.enabled) {
        j["monte_carlo"] = {{"trials", sweep.monte_carlo.trials}, {"seed", sweep.monte_carlo.seed}};
    } else {
        j["monte_carlo"] = nullptr;
    }
    // A file name need not be UTF-8: such bytes become U+FFFD.
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace orlavex::app

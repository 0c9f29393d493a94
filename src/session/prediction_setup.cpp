#include "session/prediction_setup.h"

#include "engine/controls.h"
#include "window/user_actions.h"

namespace orlavex::session {

Calculator prediction_setup(Calculator calc) {
    calc.form.popup = Ctl::none;  // a pop-up menu open there is not ours
    if (is_ticked(calc, Ctl::chkUseManMeas)) click_control(calc, Ctl::chkUseManMeas);
    return calc;
}

}  // namespace orlavex::session

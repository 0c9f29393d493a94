#include "recalc_probe.h"

#include "window/handlers.h"

namespace orlavex::soak {

namespace {

// Real colours fit in 32 bits; the marker sits far above them.
constexpr std::int64_t marker = std::int64_t{1} << 40;
constexpr std::int64_t colour_bits = marker - 1;

void probe_value_changed(Calculator& calc, Ctl control) {
    run_click_handler(calc, control);
    if (layout_row(control).kind == Kind::Option) arm_probe(calc);
}

}  // namespace

void install_probe(Calculator& calc) {
    calc.on_value_changed = probe_value_changed;
}

void arm_probe(Calculator& calc) {
    std::int64_t& colour = calc.form[Ctl::lblYmeas].forecolor;
    if ((colour & marker) == 0) colour = marker | (colour & colour_bits);
}

bool take_probe(Calculator& calc) {
    std::int64_t& colour = calc.form[Ctl::lblYmeas].forecolor;
    if ((colour & marker) == 0) return true;
    colour &= colour_bits;
    return false;
}

}  // namespace orlavex::soak

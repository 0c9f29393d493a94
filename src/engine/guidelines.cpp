#include "engine/controls.h"
#include "engine/number_text.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"

namespace orlavex {

using enum Ctl;

namespace {

struct Guideline {
    Ctl text;
    Ctl lamp;
    const char* prefix;
    double green_from;
    double yellow_from;
};

constexpr Guideline guidelines[] = {
    {lblGL1, ind1, "(NF+G)dut - NFsa = ", 1.0, 0.0},
    {lblGL2, ind2, "ENR - NFdut = ", 5.0, 4.0},
    {lblGL3, ind3, "ENR - NFsa = ", 3.0, 2.0},
};

}  // namespace

void Blank_Guidelines(Calculator& calc) {
    for (const Guideline& g : guidelines)
        calc.form[g.lamp].fillcolor = colour::grey;
    for (const Guideline& g : guidelines)
        set_text(calc, g.text, "- - -");
}

void rate_guidelines(Calculator& calc, const Run& run) {
    const CalcState& s = calc.state;
    const double margins[] = {
        s.DUT_NF + s.DUT_Gain - run.NF_sa_net,
        run.ENR_eff - s.DUT_NF,
        run.ENR_eff - run.NF_sa_net,
    };
    for (std::size_t i = 0; i < std::size(guidelines); ++i) {
        const Guideline& g = guidelines[i];
        // The lamp is rated on the margin as its text shows it, so that
        // 3.999999999999998 reads "4 dB" and lights yellow, not red.
        const double shown = round_to(margins[i], 2);
        set_text(calc, g.text, g.prefix + general_text(shown, calc.form.decimal_separator) + " dB");
        calc.form[g.lamp].fillcolor = shown >= g.green_from    ? colour::green
                                      : shown >= g.yellow_from ? colour::yellow
                                                               : colour::red;
    }
}

}  // namespace orlavex

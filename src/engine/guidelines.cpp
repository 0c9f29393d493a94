#include "core/number_text.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"

namespace orlavex {

using enum Ctl;

namespace {

struct Guideline {
    Ctl text;
    Ctl lamp;
    const char* prefix;
};

// In the order of measure::guideline_rules.
constexpr Guideline guidelines[] = {
    {lblGL1, ind1, "(NF+G)dut - NFsa = "},
    {lblGL2, ind2, "ENR - NFdut = "},
    {lblGL3, ind3, "ENR - NFsa = "},
};

}  // namespace

void Blank_Guidelines(Calculator& calc) {
    for (const Guideline& g : guidelines)
        calc.form[g.lamp].fillcolor = colour::grey;
    for (const Guideline& g : guidelines)
        set_text(calc, g.text, "- - -");
    for (std::size_t i = 0; i < std::size(guidelines); ++i) {
        calc.figures.margin_db[i] = not_computed;
        calc.figures.lamp[i] = Lamp::grey;
    }
}

void blank_guidelines(Calculator& calc, const Run& run) {
    if (run.showing) {
        Blank_Guidelines(calc);
        return;
    }
    for (std::size_t i = 0; i < std::size(guidelines); ++i) {
        calc.figures.margin_db[i] = not_computed;
        calc.figures.lamp[i] = Lamp::grey;
    }
}

namespace {

void write_guidelines(Calculator& calc) {
    const ClassicFigures& f = calc.figures;
    for (std::size_t i = 0; i < std::size(guidelines); ++i) {
        const Guideline& g = guidelines[i];
        set_text(calc, g.text,
                 g.prefix + general_text(f.margin_db[i], calc.form.decimal_separator) + " dB");
        calc.form[g.lamp].fillcolor = f.lamp[i] == Lamp::green    ? colour::green
                                      : f.lamp[i] == Lamp::yellow ? colour::yellow
                                                                  : colour::red;
    }
}

}  // namespace

void show_guidelines(Calculator& calc, const Run& run) {
    if (run.showing) write_guidelines(calc);
}

}  // namespace orlavex

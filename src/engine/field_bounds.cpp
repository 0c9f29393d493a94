#include "engine/field_bounds.h"

#include "core/classic_inputs.h"
#include "core/number_text.h"
#include "engine/controls.h"

namespace orlavex {

const FieldRange& current_range(const Calculator& calc, Ctl field) {
    // The first form whose option button is selected, else the last form.
    const std::span<const FieldRange> rows = ranges_of(field);
    for (const FieldRange& r : rows.first(rows.size() - 1)) {
        if (r.option == Ctl::none || is_selected(calc, r.option)) return r;
    }
    return rows.back();
}

double upper_end(const CalcState& s, const FieldRange& range) {
    return core::range_upper_end(range, {s.FreqMax, s.SA_FreqMax, s.RL_Max});
}

std::string range_tip(const FieldRange& range, double upper, char separator) {
    std::string tip(range.tip);
    if (const auto at = tip.find(upper_end_mark); at != std::string::npos) {
        tip.replace(at, upper_end_mark.size(), general_text(upper, separator));
    }
    return tip;
}

std::string range_tip(const Calculator& calc, const FieldRange& range) {
    return range_tip(range, upper_end(calc.state, range), calc.form.decimal_separator);
}

}  // namespace orlavex

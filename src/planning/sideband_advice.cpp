#include "planning/sideband_advice.h"

#include "core/number_text.h"
#include "measure/gum.h"
#include "measure/image_sideband.h"
#include "measure/units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orlavex::planning {

namespace {

using measure::SidebandMode;

struct Texts {
    char separator;
    std::string db(double x) const {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f dB", x);
        std::string text = buffer;
        std::ranges::replace(text, '.', separator);
        return text;
    }
    std::string number(double x) const { return general_text(x, separator); }
};

std::string mode_label(SidebandMode mode, const Sweep& sweep, const Texts& texts) {
    if (mode == SidebandMode::dsb) return "DSB";
    const std::string known = " known to " + texts.number(sweep.model.image_ratio_unc_db) + " dB";
    if (sweep.over == SweptInput::image_ratio) return "SSB with the image ratio as swept" + known;
    const double ratio = *sweep.model.image_ratio_db;
    if (ratio < 0) return "SSB with " + texts.number(-ratio) + " dB rejection" + known;
    return "SSB with an image ratio of " + texts.number(ratio) + " dB" + known;
}

double image_share(const measure::Budget& budget) {
    const auto line = std::ranges::find(budget.lines, "image_ratio", &measure::BudgetLine::source);
    return line == budget.lines.end() || !std::isfinite(line->share) ? 0 : line->share;
}

// SETUP, a point's, with the same DUT described in MODE: F_SSB = (1 + r)
// F_DSB and G_DSB = (1 + r) G_SSB with the nominal ratio r.
measure::MeasurementSetup in_mode(measure::MeasurementSetup setup, SidebandMode mode) {
    if (setup.image.mode == mode) return setup;
    const double step_db = measure::db(1 + measure::image_ratio_lin(setup));
    const double sign = mode == SidebandMode::dsb ? -1 : 1;
    setup.dut_nf_db += sign * step_db;
    setup.dut_gain_db -= sign * step_db;
    setup.image.mode = mode;
    setup.model.sideband = mode;
    return setup;
}

SidebandEntry tally(SidebandMode mode, const SweepResult& result) {
    SidebandEntry e;
    e.mode = mode;
    e.points = result.points.size();
    e.worst_U_db = -1;
    for (const SweepPoint& p : result.points) {
        // The points the sweep evaluated, as the advice counts them.
        if (!p.in_range || !p.gum.valid || !p.setup.image.response) continue;
        const bool own = p.setup.image.mode == mode;
        const measure::MeasurementSetup setup = in_mode(p.setup, mode);
        if (!own && !measure::image_problem(setup).empty()) continue;
        const measure::Budget budget = own ? p.gum : measure::gum_budget(setup);
        if (!budget.valid || !std::isfinite(budget.U_db)) continue;
        ++e.evaluated;
        if (budget.U_db > e.worst_U_db) {
            e.worst_U_db = budget.U_db;
            e.worst_at = p.swept_value;
            e.dut_nf_db = setup.dut_nf_db;
            e.dut_gain_db = setup.dut_gain_db;
            e.image_share = image_share(budget);
        }
    }
    if (e.evaluated == 0) e.worst_U_db = std::numeric_limits<double>::infinity();
    return e;
}

// As the advice ranks its set-ups: more points evaluated, then the smaller
// worst U to 0.01 dB; equal places keep DSB first (it needs no ratio).
bool better(const SidebandEntry& a, const SidebandEntry& b) {
    if (a.evaluated != b.evaluated) return a.evaluated > b.evaluated;
    return std::llround(a.worst_U_db * 100) < std::llround(b.worst_U_db * 100);
}

std::string filter_text(const SidebandEntry& ssb, const Texts& texts, const std::string& at) {
    if (ssb.evaluated == 0 || !(ssb.image_share > image_filter_share)) return {};
    const double rest = ssb.worst_U_db * std::sqrt(1 - ssb.image_share);
    return "An image filter would pay: the image ratio makes up " +
           std::to_string(std::lround(ssb.image_share * 100)) + " % of the SSB budget at " + at +
           " (more than a third); the rest of the budget gives U " + texts.db(rest) +
           " there, against " + texts.db(ssb.worst_U_db) + ".";
}

}  // namespace

bool wants_sideband_advice(const Sweep& sweep) {
    return sweep.model.image_ratio_db.has_value() || sweep.over == SweptInput::image_ratio;
}

std::optional<SidebandAdvice> sideband_advice(const Sweep& sweep, const SweepResult& result) {
    if (!wants_sideband_advice(sweep)) return std::nullopt;
    const Texts texts{sweep.decimal_separator};
    SidebandAdvice advice;
    for (SidebandMode mode : {SidebandMode::dsb, SidebandMode::ssb}) {
        SidebandEntry e = tally(mode, result);
        e.label = mode_label(mode, sweep, texts);
        advice.modes.push_back(std::move(e));
    }
    const SweptInputInfo& over = info(sweep.over);
    std::string unit(over.column.substr(over.column.rfind('_') + 1));
    if (unit == "ghz") unit = "GHz";
    if (unit == "db") unit = "dB";
    const auto at = [&](double x) {
        return unit == "vswr" ? "VSWR " + texts.number(x) : texts.number(x) + " " + unit;
    };
    advice.image_filter = filter_text(advice.modes[1], texts, at(advice.modes[1].worst_at));
    std::ranges::stable_sort(advice.modes, better);
    for (std::size_t i = 0; i < advice.modes.size(); ++i) {
        SidebandEntry& e = advice.modes[i];
        e.rank = i + 1;
        if (!advice.summary.empty()) advice.summary += "; ";
        advice.summary +=
            e.label + ": " +
            (e.evaluated > 0 ? texts.db(e.worst_U_db) : std::string("no valid point"));
    }
    return advice;
}

}  // namespace orlavex::planning

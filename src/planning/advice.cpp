#include "planning/advice.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "core/number_text.h"
#include "form/layout_rows.h"
#include "measure/known_reflections.h"
#include "measure/parallel_tasks.h"
#include "measure/units.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <thread>

namespace orlavex::planning {

using enum Ctl;

namespace {

// The worst uncertainty compared to 0.01 dB, so that equal figures leave the
// decision to the lamps; the reasons quote the same rounded figures.
long long hundredths(double x) {
    return std::isfinite(x) ? std::llround(x * 100) : std::numeric_limits<long long>::max();
}

// The reasons write numbers with the decimal separator the sweep asks for.
struct ReasonTexts {
    const SweptInputInfo& over;
    char separator;

    std::string db(long long hundredths_db) const {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f dB", static_cast<double>(hundredths_db) / 100);
        std::string text = buffer;
        std::ranges::replace(text, '.', separator);
        return text;
    }
    std::string db(double x) const { return db(hundredths(x)); }

    // Where in the band: "5.0225 GHz", "VSWR 1.5".
    std::string at(double x) const {
        std::string unit(over.column.substr(over.column.rfind('_') + 1));
        if (unit == "ghz") unit = "GHz";
        if (unit == "c") unit = "C";
        if (unit == "vswr") return "VSWR " + general_text(x, separator);
        return general_text(x, separator) + " " + unit;
    }
};

bool covers_band(const AdviceEntry& e) {
    return e.evaluated == e.points;
}

// The tally of one candidate's sweep.
AdviceEntry tally(const Candidate& candidate, const SweepResult& result) {
    AdviceEntry e;
    e.candidate = candidate;
    e.points = result.points.size();
    e.worst_U_db = -1;
    for (const SweepPoint& p : result.points) {
        if (!p.in_range) continue;
        ++e.in_range;
        if (p.all_green()) ++e.all_green;
        if (p.classic.valid) ++e.rated;
        if (!(p.classic.valid || p.classic_withheld) || !p.gum.valid) continue;
        ++e.evaluated;
        if (p.gum.U_db > e.worst_U_db) {
            e.worst_U_db = p.gum.U_db;
            e.worst_at = p.swept_value;
        }
    }
    if (e.evaluated == 0) e.worst_U_db = std::numeric_limits<double>::infinity();
    return e;
}

bool better(const AdviceEntry& a, const AdviceEntry& b) {
    if (covers_band(a) != covers_band(b)) return covers_band(a);
    if (!covers_band(a) && a.evaluated != b.evaluated) return a.evaluated > b.evaluated;
    if (hundredths(a.worst_U_db) != hundredths(b.worst_U_db)) {
        return hundredths(a.worst_U_db) < hundredths(b.worst_U_db);
    }
    return a.all_green > b.all_green;
}

std::string reason(const AdviceEntry& e, const AdviceEntry& best, const ReasonTexts& texts) {
    // Without classic figures (a bench they cannot describe) no lamp was rated.
    const std::string lamps = e.rated == 0
                                  ? "no classic figures, so no lamps rated"
                                  : "all three lamps green at " + std::to_string(e.all_green) +
                                        " of " + std::to_string(e.points) + " points";
    if (e.evaluated == 0) {
        if (e.in_range == 0)
            return "Cannot measure anywhere in the band: every point is out of range.";
        return "No valid result anywhere in the band (the Y factor is too close to 1).";
    }
    const std::string worst = "worst U " + texts.db(e.worst_U_db) + " at " + texts.at(e.worst_at);
    if (!covers_band(e)) {
        const std::size_t missing = e.points - e.evaluated;
        const std::string why = e.in_range < e.points ? " out of range" : " without a valid result";
        return "Leaves " + std::to_string(missing) + " of " + std::to_string(e.points) + " points" +
               why + "; elsewhere " + worst + ", " + lamps + ".";
    }
    if (&e == &best)
        return "Best: the smallest worst-case U over the band, " + worst + "; " + lamps + ".";
    if (hundredths(e.worst_U_db) == hundredths(best.worst_U_db)) {
        if (e.all_green == best.all_green) {
            return "As good as the best (" + texts.db(e.worst_U_db) + " worst U, " + lamps +
                   "); equal places keep the catalogue's order.";
        }
        return "Same worst U as the best (" + texts.db(e.worst_U_db) +
               ") but fewer green points: " + lamps + ".";
    }
    return worst + ", " + texts.db(hundredths(e.worst_U_db) - hundredths(best.worst_U_db)) +
           " more than the best; " + lamps + ".";
}

}  // namespace

std::string Candidate::label() const {
    std::string s =
        noise_source == core::user_model ? std::string("User (as typed)") : noise_source;
    if (measurement_source) s = "measurement source " + s;
    if (!int_preamp) return s + ", Int PA off";
    s += ", Int PA on";
    if (!preamp_caption.empty()) s += " (" + preamp_caption + ")";
    return s;
}

std::vector<Candidate> preamp_choices(const core::ClassicChoices& base) {
    const catalogue::AnalyzerModel* model = base.analyzer;
    if (model == nullptr || catalogue::preamp_kind(*model) == catalogue::Preamp::none) {
        return {Candidate{"", false, {}, {}}};
    }
    if (catalogue::preamp_kind(*model) == catalogue::Preamp::single) {
        return {Candidate{"", false, {}, {}}, Candidate{"", true, {}, {}}};
    }
    // Option 1's caption is the menu's own; option 0's comes from the model.
    return {Candidate{"", false, {}, {}},
            Candidate{"", true, 0, std::string(catalogue::option0_caption(*model))},
            Candidate{
                "", true, 1,
                std::string(layout_table::rows[static_cast<std::size_t>(item(mnuIntPA, 1))].text)}};
}

std::vector<Candidate> candidates(const core::ClassicChoices& base,
                                  bool separate_measurement_source) {
    std::vector<std::string> sources;
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers()) {
        for (const catalogue::NoiseSourceModel& model : maker.models) {
            sources.emplace_back(catalogue::model_name(model));
        }
    }
    std::vector<Candidate> all;
    const auto add = [&](const std::string& source, bool measurement_source) {
        for (Candidate c : preamp_choices(base)) {
            c.noise_source = source;
            c.measurement_source = measurement_source;
            all.push_back(std::move(c));
        }
    };
    for (const std::string& source : sources)
        add(source, false);
    add(std::string(core::user_model), false);
    // The source the DUT is measured with weighs most: with a separate one,
    // each catalogue model is tried in its place too.
    if (separate_measurement_source) {
        for (const std::string& source : sources)
            add(source, true);
    }
    return all;
}

namespace {

// The candidate's internal preamplifier, as its box and menu choose it.
void choose_preamp(core::ClassicSession& base, const Candidate& c) {
    if (base.setup.choices.int_preamp != c.int_preamp)
        base.tick(&core::ClassicChoices::int_preamp, c.int_preamp);
    if (c.int_preamp && c.preamp_option) base.choose_preamp_option(*c.preamp_option);
}

}  // namespace

Advice advise(const Sweep& sweep) {
    SweepProgress unobserved;
    return advise(sweep, unobserved);
}

Advice advise(const Sweep& sweep, SweepProgress& progress) {
    const std::vector<Candidate> list =
        candidates(sweep.base.setup.choices, sweep.bench.meas_source.has_value());
    const bool sidebands = wants_sideband_advice(sweep);
    progress.total = (list.size() + (sidebands ? 1 : 0)) * sweep.points;
    std::vector<AdviceEntry> entries(list.size());

    // Candidates share out over the threads; each candidate's sweep runs on
    // one thread, so the ranking does not depend on the thread count.
    const auto run_one = [&](std::size_t i) {
        Sweep s;
        s.base = sweep.base;
        s.over = sweep.over;
        s.from = sweep.from;
        s.to = sweep.to;
        s.points = sweep.points;
        s.spacing = sweep.spacing;
        s.match_form = sweep.match_form;
        s.conversion = sweep.conversion;
        s.model = sweep.model;
        s.dut_sparameters = sweep.dut_sparameters;
        s.bench = sweep.bench;  // the losses and the measurement source as given
        s.threads = 1;
        const Candidate& c = list[i];
        if (c.measurement_source) {
            s.enr_table = sweep.enr_table;
            MeasurementSourceInput source;
            source.model = c.noise_source;
            s.bench.meas_source = std::move(source);
        } else {
            if (c.noise_source == core::user_model) s.enr_table = sweep.enr_table;
            s.base.choose_noise_source(catalogue::find_noise_source(c.noise_source));
        }
        choose_preamp(s.base, c);
        entries[i] = tally(c, run_sweep(s, progress));
    };
    const unsigned workers =
        std::max(1u, sweep.threads != 0 ? sweep.threads : std::thread::hardware_concurrency());
    if (workers == 1) {
        for (std::size_t i = 0; i < list.size(); ++i)
            run_one(i);
    } else {
        std::vector<std::exception_ptr> errors(workers);
        measure::run_tasks(workers, [&](unsigned w) {
            try {
                for (std::size_t i = w; i < list.size(); i += workers)
                    run_one(i);
            } catch (...) {
                errors[w] = std::current_exception();
            }
        });
        for (const auto& e : errors) {
            if (e) std::rethrow_exception(e);
        }
    }

    std::ranges::stable_sort(entries, better);
    const ReasonTexts texts{info(sweep.over), sweep.decimal_separator};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].rank = i + 1;
        entries[i].reason = reason(entries[i], entries.front(), texts);
    }
    Advice advice{std::move(entries), std::nullopt};
    if (sidebands) advice.sidebands = sideband_advice(sweep, run_sweep(sweep, progress));
    return advice;
}

namespace {

struct CurePart {
    const char* what;
    double loss_db, isolation_db;
};

// The parts an engineer has at hand: pads, and an isolator of a usual kind.
constexpr CurePart cure_parts[] = {
    {"a 3 dB pad before the DUT", 3, 3},
    {"a 6 dB pad before the DUT", 6, 6},
    {"a 10 dB pad before the DUT", 10, 10},
    {"an isolator before the DUT (20 dB reverse isolation, 0.3 dB loss)", 0.3, 20},
};

// The bias as the point and the sweep give it.
double bias_of(const measure::MeasurementSetup& s, const measure::Budget& b) {
    return s.second_stage && b.valid ? b.offset_db : measure::source_match_bias_db(s);
}

}  // namespace

double MatchCure::total_db() const {
    return U_db + std::fabs(bias_db);
}

measure::MeasurementSetup with_cure(const measure::MeasurementSetup& setup, const MatchCure& cure) {
    measure::MeasurementSetup s = setup;
    const double before_db = s.loss_in.loss_db;
    s.loss_in.loss_db += cure.loss_db;
    if (s.reflections) {
        measure::KnownReflections& k = *s.reflections;
        // The part's transmissions, their phases unknown (0), in series.
        const std::complex<double> s21 =
            k.loss_in_s21.value_or(1 / std::sqrt(measure::lin(before_db)));
        const std::complex<double> s12 = k.loss_in_s12.value_or(s21);
        k.loss_in_s21 = s21 / std::sqrt(measure::lin(cure.loss_db));
        k.loss_in_s12 = s12 / std::sqrt(measure::lin(cure.isolation_db));
    }
    return s;
}

std::optional<MatchAdvice> match_advice(const measure::MeasurementSetup& setup) {
    if (!setup.reflections) return std::nullopt;
    const measure::Budget budget = measure::gum_budget(setup);
    if (!budget.valid) return std::nullopt;
    MatchAdvice advice{bias_of(setup, budget), budget.U_db, {}};
    if (!(std::fabs(advice.bias_db) > advice.U_db / 3)) return std::nullopt;
    for (const CurePart& part : cure_parts) {
        MatchCure cure{part.what, part.loss_db, part.isolation_db};
        const measure::MeasurementSetup cured = with_cure(setup, cure);
        const measure::Budget b = measure::gum_budget(cured);
        if (!b.valid) continue;
        cure.bias_db = bias_of(cured, b);
        cure.U_db = b.U_db;
        cure.added_U_db = b.U_db - budget.U_db;
        advice.cures.push_back(std::move(cure));
    }
    std::ranges::stable_sort(advice.cures, {}, &MatchCure::total_db);
    return advice;
}

}  // namespace orlavex::planning

// Taking a set-up through the classic core gives what bringing the window to
// it through its user actions gives: the window's actions carry out every
// set-up the core takes, and the window then holds the very values, choices
// and figures the core computed, for random set-ups of every input.
#include "app/inputs/classic_apply.h"
#include "app/inputs/apply.h"
#include "app/inputs/catalogue_names.h"
#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "engine/classic_reading.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace orlavex::app {
namespace {

std::vector<std::string> analyzer_names() {
    std::vector<std::string> names{"User", "Nonesuch-9"};
    for (const catalogue::AnalyzerFamily& family : catalogue::analyzer_families()) {
        for (const catalogue::AnalyzerModel& m : family.models)
            names.emplace_back(catalogue::model_name(m));
    }
    return names;
}

std::vector<std::string> noise_source_names() {
    std::vector<std::string> names{"User", "Nonesuch-9"};
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers()) {
        for (const catalogue::NoiseSourceModel& m : maker.models)
            names.emplace_back(catalogue::model_name(m));
    }
    return names;
}

class RandomSetups {
  public:
    explicit RandomSetups(unsigned seed) : rng_(seed) {}

    Setup next() {
        app::Setup s;
        if (chance(0.6)) s.analyzer = pick(analyzers_);
        if (chance(0.6)) s.noise_source = pick(sources_);
        s.int_preamp = chance(0.3);
        if (s.int_preamp && chance(0.5)) s.int_preamp_option = chance(0.5) ? 0 : 1;
        s.ext_preamp = chance(0.15);
        s.freq_conv = chance(0.25);
        s.second_stage = chance(0.85);
        s.manual = chance(0.15);
        for (const FieldInput& row : field_inputs()) {
            const bool level = row.scope == Scope::levels;
            if (chance(level ? (s.manual ? 0.9 : 0.05) : 0.3)) s[row] = value_for(row);
        }
        return s;
    }

    ApplyOptions options() {
        return {.strict = chance(0.2), .naming = chance(0.5) ? Naming::flag : Naming::keyword};
    }

  private:
    bool chance(double p) { return std::uniform_real_distribution<>(0, 1)(rng_) < p; }
    const std::string& pick(const std::vector<std::string>& names) {
        return names[std::uniform_int_distribution<std::size_t>(0, names.size() - 1)(rng_)];
    }
    // Mostly values an engineer types, some with too many digits, some out
    // of range, a few that no field can hold.
    double value_for(const FieldInput& row) {
        if (row.scope == Scope::levels) {
            const double start = row.field == Ctl::txtCalON    ? -108.896
                                 : row.field == Ctl::txtCalOFF ? -114.0
                                 : row.field == Ctl::txtMeasON ? -94.663
                                                               : -102.223;
            return start + std::normal_distribution<>(0, 2)(rng_);
        }
        const double u = std::uniform_real_distribution<>(0, 1)(rng_);
        if (u < 0.02) return std::nan("");
        if (u < 0.05) return 1e300;
        if (u < 0.15) return -std::uniform_real_distribution<>(0, 30)(rng_);
        if (u < 0.25) return std::uniform_real_distribution<>(30, 200)(rng_);
        const double x = std::uniform_real_distribution<>(0.5, 30)(rng_);
        if (u < 0.6) return std::round(x * 100) / 100;
        return x;
    }

    std::mt19937 rng_;
    std::vector<std::string> analyzers_ = analyzer_names();
    std::vector<std::string> sources_ = noise_source_names();
};

bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

void expect_same_result(const Calculator& window, const core::ClassicResult& r,
                        const std::string& where) {
    const core::ClassicValues taken = read_classic_setup(window).values;
    for (std::size_t i = 0; i < std::size(state_values); ++i) {
        const auto value = state_values[i].value;
        EXPECT_TRUE(same(taken.*value, r.used.values.*value))
            << where << ", value " << i << ": " << taken.*value << " against "
            << r.used.values.*value;
    }
    const core::ClassicChoices shown = read_classic_setup(window).choices;
    const core::ClassicChoices& used = r.used.choices;
    const auto flags = [](const core::ClassicChoices& x) {
        return std::tuple(x.analyzer, x.noise_source, x.int_preamp, x.preamp_option0, x.ext_preamp,
                          x.freq_conv, x.second_stage, x.manual, x.dut_in_form, x.dut_out_form,
                          x.source_form, x.analyzer_form, x.analyzer_noise_as_nf);
    };
    const auto text = [](const core::ClassicChoices& x) {
        std::string t;
        for (int v : {int(x.int_preamp), int(x.preamp_option0), int(x.ext_preamp), int(x.freq_conv),
                      int(x.second_stage), int(x.manual), int(x.dut_in_form), int(x.dut_out_form),
                      int(x.source_form), int(x.analyzer_form), int(x.analyzer_noise_as_nf)})
            t += std::to_string(v);
        return t;
    };
    EXPECT_TRUE(flags(shown) == flags(used))
        << where << ": the choices differ: " << text(shown) << " against " << text(used);
    const ClassicFigures& w = window.figures;
    const ClassicFigures& c = r.figures;
    EXPECT_EQ(w.valid, c.valid) << where;
    EXPECT_EQ(w.manual, c.manual) << where;
    EXPECT_EQ(w.error, c.error) << where;
    for (auto [a, b] : {std::pair{w.enr_eff_db, c.enr_eff_db},
                        {w.ycal_db, c.ycal_db},
                        {w.ymeas_db, c.ymeas_db},
                        {w.nf_sys_db, c.nf_sys_db},
                        {w.nf_sa_net_db, c.nf_sa_net_db},
                        {w.cal_on_dbm, c.cal_on_dbm},
                        {w.cal_off_dbm, c.cal_off_dbm},
                        {w.meas_on_dbm, c.meas_on_dbm},
                        {w.meas_off_dbm, c.meas_off_dbm},
                        {w.margin_db[0], c.margin_db[0]},
                        {w.margin_db[1], c.margin_db[1]},
                        {w.margin_db[2], c.margin_db[2]},
                        {w.bias_db, c.bias_db},
                        {w.rss_db.value_or(-1), c.rss_db.value_or(-1)},
                        {w.nf_dut_db.value_or(-1), c.nf_dut_db.value_or(-1)},
                        {w.gain_db.value_or(-1), c.gain_db.value_or(-1)},
                        {w.nf_sa_db.value_or(-1), c.nf_sa_db.value_or(-1)},
                        {window.state.NF_Unc, r.nf_unc_db}})
        EXPECT_TRUE(same(a, b)) << where << ": " << a << " against " << b;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.lamp[i], c.lamp[i]) << where;
}

TEST(ClassicApply, StartsFromTheWindowsStartUpSetUp) {
    const core::ClassicSetup started = read_classic_setup(started_calculator());
    const core::ClassicSetup typed;
    // The levels are outputs until the levels are evaluated.
    for (const StateValue& pair : std::span(state_values).first(12))
        EXPECT_EQ(started.values.*pair.value, typed.values.*pair.value);
    for (const StateValue& pair : std::span(state_values).subspan(16))
        EXPECT_EQ(started.values.*pair.value, typed.values.*pair.value);
    EXPECT_EQ(started.return_loss_max_db, typed.return_loss_max_db);
    EXPECT_EQ(started.choices.preamp_option0, typed.choices.preamp_option0);
}

TEST(ClassicApply, GivesWhatTheWindowGivesForRandomSetUps) {
    RandomSetups random(20261210);
    int refused = 0, noted = 0;
    for (int i = 0; i < 4000; ++i) {
        const app::Setup setup = random.next();
        const ApplyOptions options = random.options();
        Calculator window = started_calculator();
        const Applied by_window = apply(window, setup, options);
        const Resolved by_core = resolve(setup, options);
        std::string where = "set-up " + std::to_string(i) + " (";
        for (const FieldInput& row : field_inputs()) {
            if (setup[row])
                where += std::string(row.name) + "=" + std::to_string(*setup[row]) + " ";
        }
        where += std::string("analyzer=") + setup.analyzer.value_or("-") +
                 " source=" + setup.noise_source.value_or("-") +
                 " ext=" + std::to_string(setup.ext_preamp) +
                 " conv=" + std::to_string(setup.freq_conv) +
                 " manual=" + std::to_string(setup.manual) +
                 " int=" + std::to_string(setup.int_preamp) + ")";
        ASSERT_EQ(by_core.applied.refused, by_window.refused) << where;
        ASSERT_EQ(by_core.applied.notes, by_window.notes) << where;
        refused += !by_window.refused.empty();
        noted += !by_window.notes.empty();
        if (by_window.refused.empty()) expect_same_result(window, by_core.result, where);
        if (HasFailure()) return;
    }
    // The random set-ups reach both ends: refusals and notes.
    EXPECT_GT(refused, 400);
    EXPECT_GT(noted, 150);
}

TEST(ClassicApply, NamesWhatARefusedSetUpLacksInTheUsersTerms) {
    struct Case {
        const char* keyword;
        double value;
        bool manual, second_stage;
        Naming naming;
        std::string refused;
    };
    const Case cases[] = {
        {"freq2", 3, false, true, Naming::flag,
         "--freq2: an output frequency needs --freq-conv (a frequency-converting DUT)"},
        {"freq2", 3, false, true, Naming::keyword,
         "freq2: an output frequency needs freq_conv (a frequency-converting DUT)"},
        {"cal_on", -100, true, false, Naming::keyword,
         "cal_on: without second-stage correction there is no calibration"},
        {"dut_gain", -12, true, true, Naming::flag,
         "evaluate: the DUT's noise figure is below its loss (its gain is negative), which the "
         "calculator takes as no DUT; give a noise figure of at least the loss"},
    };
    for (const Case& c : cases) {
        app::Setup s;
        s.field(c.keyword) = c.value;
        s.manual = c.manual;
        s.second_stage = c.second_stage;
        EXPECT_EQ(resolve(s, {.naming = c.naming}).applied.refused, c.refused) << c.keyword;
    }
}

// Every value of A and B to the bit, but for the net analyzer noise figure
// of the fields as given, which the manual mode's evaluation replaces.
void expect_same_resolved(const Resolved& a, const Resolved& b, const std::string& where) {
    ASSERT_EQ(a.applied.refused, b.applied.refused) << where;
    ASSERT_EQ(a.applied.notes, b.applied.notes) << where;
    if (!a.applied.refused.empty()) return;
    const core::ClassicResult& x = a.result;
    const core::ClassicResult& y = b.result;
    for (const auto& [p, q] :
         {std::pair{&x.used, &y.used}, std::pair{&a.session.setup, &b.session.setup}}) {
        for (const StateValue& v : state_values)
            EXPECT_TRUE(same(p->values.*v.value, q->values.*v.value))
                << where << ": " << p->values.*v.value << " against " << q->values.*v.value;
        EXPECT_TRUE(p->choices == q->choices) << where;
    }
    EXPECT_EQ(x.end, y.end) << where;
    for (auto [p, q] : {std::pair{x.f_sa, y.f_sa},
                        {x.nf_sys_db, y.nf_sys_db},
                        {x.nf_unc_db, y.nf_unc_db},
                        {x.nf_bias_db, y.nf_bias_db},
                        {x.figures.nf_sa_net_db, y.figures.nf_sa_net_db},
                        {x.figures.rss_db.value_or(-1), y.figures.rss_db.value_or(-1)},
                        {x.figures.nf_dut_db.value_or(-1), y.figures.nf_dut_db.value_or(-1)},
                        {x.figures.gain_db.value_or(-1), y.figures.gain_db.value_or(-1)}})
        EXPECT_TRUE(same(p, q)) << where << ": " << p << " against " << q;
    EXPECT_EQ(x.figures.error, y.figures.error) << where;
}

// A band's set-up as an engineer types it: the instruments, the boxes and
// about half the fields in their ranges (some with more digits than their
// fields hold, some analyzers from the catalogue), strict now and then.
class BandSetups {
  public:
    explicit BandSetups(unsigned seed) : rng_(seed) {}

    Setup next() {
        Setup s;
        if (chance(0.3)) s.noise_source = pick(sources_);
        if (chance(0.2)) s.analyzer = pick(analyzers_);
        s.ext_preamp = chance(0.15);
        s.freq_conv = chance(0.25);
        s.second_stage = chance(0.85);
        for (const auto& [name, low, high] : typed_ranges) {
            if (chance(0.5)) s.field(name) = digits(uniform(low, high));
        }
        if (chance(0.3)) {
            s.field("analyzer_nf").reset();
            s.field("analyzer_danl") = digits(uniform(-165, -140));
        }
        // What a catalogue model or a box left out would refuse.
        const auto leave_out = [&s](std::initializer_list<const char*> names) {
            for (const char* name : names)
                s.field(name).reset();
        };
        if (s.noise_source && !is_user(*s.noise_source)) leave_out({"enr", "source_vswr"});
        if (s.analyzer && !is_user(*s.analyzer))
            leave_out({"analyzer_nf", "analyzer_danl", "analyzer_vswr", "analyzer_nf_unc"});
        if (!s.freq_conv) leave_out({"freq2"});
        return s;
    }
    ApplyOptions options() { return {.strict = chance(0.2)}; }

    // Readings at a random frequency (some outside the instruments' range),
    // the levels the calculator predicts for a random DUT, read with a
    // little noise; now and then a source-on level below its source-off one.
    Setup reading(const Setup& band) { return reading_at(band, uniform(0.005, 30)); }

    // The same at FREQ_GHZ.
    Setup reading_at(const Setup& band, double freq_ghz) {
        Setup at = band;
        at.field("freq") = freq_ghz;
        if (band.freq_conv && chance(0.5)) at.field("freq2") = uniform(0.005, 3);
        at.field("dut_nf") = uniform(0.5, 10);
        at.field("dut_gain") = uniform(5, 35);
        const core::ClassicValues predicted = resolve(at).result.used.values;
        at.field("dut_nf").reset();
        at.field("dut_gain").reset();
        at.manual = true;
        for (const auto& [name, level] : {std::pair{"cal_on", predicted.cal_on_dbm},
                                          {"cal_off", predicted.cal_off_dbm},
                                          {"meas_on", predicted.meas_on_dbm},
                                          {"meas_off", predicted.meas_off_dbm}}) {
            if (band.second_stage || name[0] == 'm')
                at.field(name) =
                    level + std::normal_distribution<>(0, chance(0.1) ? 3 : 0.02)(rng_);
        }
        return at;
    }

  private:
    struct Range {
        const char* name;
        double low, high;
    };
    static constexpr Range typed_ranges[] = {
        {"dut_in_vswr", 1, 2.5},     {"dut_out_vswr", 1, 2.5}, {"enr", 5, 25},
        {"enr_unc", 0.05, 0.3},      {"source_vswr", 1, 1.5},  {"toff", 0, 40},
        {"analyzer_nf", 5, 25},      {"analyzer_vswr", 1, 2},  {"analyzer_nf_unc", 0, 0.5},
        {"ext_preamp_gain", 10, 30}, {"ext_preamp_nf", 2, 8},  {"freq2", 0.1, 3},
    };

    bool chance(double p) { return uniform(0, 1) < p; }
    double uniform(double a, double b) { return std::uniform_real_distribution<>(a, b)(rng_); }
    double digits(double x) { return chance(0.5) ? std::round(x * 100) / 100 : x; }
    const std::string& pick(const std::vector<std::string>& names) {
        return names[std::uniform_int_distribution<std::size_t>(0, names.size() - 1)(rng_)];
    }

    std::mt19937 rng_;
    std::vector<std::string> analyzers_ = analyzer_names();
    std::vector<std::string> sources_ = noise_source_names();
};

// A band of readings resolved by one calculator brought to manual mode once
// gives, reading by reading, what the user actions give each set-up alone.
TEST(ClassicApply, ABandOfLevelsGivesWhatEachSetUpGivesAlone) {
    BandSetups random(20261211);
    std::size_t resolved = 0, alone = 0, refused = 0;
    for (int band = 0; band < 400; ++band) {
        const app::Setup setup = random.next();
        const ApplyOptions options = random.options();
        LevelsResolver band_resolver(options);
        for (int reading = 0; reading < 8; ++reading) {
            const app::Setup at = random.reading(setup);
            const Resolved by_itself = resolve(at, options);
            refused += !by_itself.applied.refused.empty();
            expect_same_resolved(
                band_resolver.resolve(at), by_itself,
                "band " + std::to_string(band) + ", reading " + std::to_string(reading));
            if (HasFailure()) return;
        }
        resolved += 8;
        alone += band_resolver.resolved_alone();
    }
    // Most readings take the shared calculator; the rest (a catalogue
    // analyzer, levels in error, refusals) are resolved alone.
    EXPECT_LT(alone, resolved / 2);
    EXPECT_GT(alone, resolved / 10);
    EXPECT_GT(refused, resolved / 20);
}

// Every catalogue analyzer, with and without its preamplifier, read at
// frequencies across its range: readings where the analyzer's match and
// noise are those of an earlier reading share its calculator, and each
// gives what its set-up gives alone, on either side of every band edge.
TEST(ClassicApply, ACatalogueAnalyzersBandSharesACalculatorWhereItsValuesAreTheSame) {
    BandSetups random(20261212);
    std::size_t resolved = 0, alone = 0;
    for (const catalogue::AnalyzerFamily& family : catalogue::analyzer_families()) {
        for (const catalogue::AnalyzerModel& model : family.models) {
            const std::string name(catalogue::model_name(model));
            const double top = catalogue::upper_frequency(model);
            for (const bool preamp : {false, true}) {
                if (preamp && catalogue::preamp_kind(model) == catalogue::Preamp::none) continue;
                app::Setup band;
                band.analyzer = name;
                band.int_preamp = preamp;
                band.field("dut_in_vswr") = 1.3;
                LevelsResolver band_resolver({});
                for (int reading = 0; reading < 24; ++reading) {
                    // Spread over the analyzer's range and a little beyond it.
                    const app::Setup at =
                        random.reading_at(band, 0.01 + (top * 1.05 - 0.01) * reading / 23.0);
                    expect_same_resolved(band_resolver.resolve(at), resolve(at),
                                         name + (preamp ? " with its preamplifier" : "") +
                                             ", reading " + std::to_string(reading));
                    if (HasFailure()) return;
                }
                resolved += 24;
                alone += band_resolver.resolved_alone();
            }
        }
    }
    EXPECT_LT(alone, resolved / 2);
}

}  // namespace
}  // namespace orlavex::app

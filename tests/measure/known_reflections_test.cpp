// Reflections known in phase at the DUT input: the source's on and off
// reflections, the DUT's S-parameters and noise parameters, and the bias
// they make with every error zero.
#include "measure/known_reflections.h"

#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "measure/noise_parameters.h"
#include "measure/random_stream.h"
#include "measure/simulated_measurement.h"
#include "measure/simulation.h"
#include "measure/units.h"
#include "measure/y_factor.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string_view>

namespace orlavex::measure {
namespace {

using C = std::complex<double>;
using test_support::amplifier;

C polar_deg(double magnitude, double deg) {
    return std::polar(magnitude, deg * std::numbers::pi / 180);
}

// The DUT of the set-up's gain and noise figure, every reflection 0.
KnownReflections reflectionless(const MeasurementSetup& s) {
    KnownReflections k;
    k.s21 = std::sqrt(lin(s.dut_gain_db));
    return k;
}

// The LNA of the model's description: |S11| 0.5, NFmin 0.4 dB, Gamma_opt
// 0.3 at 40 degrees, rn 0.15 (F(0) 0.54 dB), 20 dB, measured with a 15 dB
// source whose on and off reflections are 0.05 at 30 and 0.12 at -80
// degrees.
MeasurementSetup lna(double s11_deg) {
    MeasurementSetup s = amplifier();
    s.dut_gain_db = 20;
    s.gamma_dut_in = 0.5;
    KnownReflections k;
    k.source_on = polar_deg(0.05, 30);
    k.source_off = polar_deg(0.12, -80);
    k.s11 = polar_deg(0.5, s11_deg);
    k.s21 = 10;
    k.noise = noise_parameters_from_db(0.4, polar_deg(0.3, 40), 0.15);
    s.reflections = k;
    return s;
}

const BudgetLine* find(const Budget& b, std::string_view source) {
    const auto at = std::ranges::find(b.lines, source, &BudgetLine::source);
    return at == b.lines.end() ? nullptr : &*at;
}

TEST(KnownReflections, TheTrialLoopsDutAgreesWithTheNoiseParameters) {
    const NoiseParameters sets[] = {noise_parameters_from_db(0.4, polar_deg(0.3, 40), 0.15),
                                    noise_parameters_from_db(2.5, polar_deg(0.7, -150), 1.3)};
    const C s11s[] = {C(0, 0), polar_deg(0.5, -60), polar_deg(0.9, 170)};
    const C gammas[] = {C(0, 0), polar_deg(0.12, -80), polar_deg(0.6, 100), polar_deg(0.95, 5)};
    for (const NoiseParameters& p : sets) {
        for (const C s11 : s11s) {
            for (const C gamma : gammas) {
                for (const double shrink : {1.0, 0.8}) {
                    MeasurementSetup s = amplifier();
                    s.reflections = KnownReflections{
                        .source_on = gamma, .s11 = s11, .s21 = polar_deg(3, 75), .noise = p};
                    const ReflectedDut dut = reflected_dut(s);
                    const DutNoise at = dut.at(dut.on, shrink);
                    const DutAtInput expected{s11, polar_deg(3, 75), p};
                    const C seen = gamma * shrink;
                    SCOPED_TRACE(testing::Message() << s11 << " " << gamma << " " << shrink);
                    EXPECT_NEAR(at.gain, transducer_gain(s11, polar_deg(3, 75), seen),
                                1e-12 * at.gain);
                    EXPECT_NEAR(at.gain * (T0 + at.te_k), output_noise_k(expected, seen, T0),
                                1e-11 * at.gain * (T0 + at.te_k));
                }
            }
        }
    }
}

// With every reflection 0 the readings are those of the bench without known
// reflections: the same budget without the input mismatch, whose phases are
// now known, and the same Monte Carlo as a DUT input without reflection.
TEST(KnownReflections, ReflectionlessTheyGiveTheBenchFiguresWithoutTheInputMismatch) {
    MeasurementSetup lossy = amplifier();
    lossy.loss_in = {.loss_db = 2, .temperature_k = 320, .unc_db = 0.2};
    lossy.loss_out = {.loss_db = 1, .temperature_k = 77, .unc_db = 0.1};
    MeasurementSetup separate = amplifier();
    separate.meas_source = {.separate = true, .enr_unc_db = 0.3, .gamma = 0.2};
    separate.enr_meas_db = 6;
    MeasurementSetup uncorrected = amplifier();
    uncorrected.second_stage = false;
    uncorrected.dut_gain_db = 8;
    MeasurementSetup jittery = amplifier();
    jittery.model.noise_bw_hz = 4e6;
    jittery.model.tau_s = 0.001;
    for (const MeasurementSetup& plain : {amplifier(), lossy, separate, uncorrected, jittery}) {
        MeasurementSetup known = plain;
        known.reflections = reflectionless(plain);
        const Budget a = gum_budget(plain), b = gum_budget(known);
        ASSERT_TRUE(a.valid && b.valid);
        ASSERT_NE(find(a, "mismatch_in"), nullptr);
        EXPECT_EQ(find(b, "mismatch_in"), nullptr);
        ASSERT_EQ(b.lines.size() + 1, a.lines.size());
        for (const BudgetLine& line : b.lines) {
            SCOPED_TRACE(line.source);
            const BudgetLine& same = *find(a, line.source);
            EXPECT_NEAR(line.c, same.c, 1e-7);
            EXPECT_EQ(line.u, same.u);
        }
        const double m_in = find(a, "mismatch_in")->u_i_db;
        EXPECT_NEAR(b.u_c_db, std::sqrt(a.u_c_db * a.u_c_db - m_in * m_in), 1e-9);
        EXPECT_NEAR(b.offset_db, a.offset_db, 1e-12);
        EXPECT_NEAR(source_match_bias_db(known), 0, 1e-12);

        MeasurementSetup matched = plain;
        matched.gamma_dut_in = 0;  // no mismatch draw: the same random numbers
        const MonteCarloOptions options{.trials = 20000, .threads = 2};
        const MonteCarloResult x = monte_carlo(matched, options), y = monte_carlo(known, options);
        EXPECT_NEAR(y.mean_db, x.mean_db, 1e-12);
        EXPECT_NEAR(y.std_db, x.std_db, 1e-12);
        EXPECT_NEAR(y.interval_hi_db, x.interval_hi_db, 1e-6);
        EXPECT_EQ(y.invalid, x.invalid);
    }
}

TEST(KnownReflections, ASourceAtGammaOptOnAHighGainDutReadsFmin) {
    const NoiseParameters sets[] = {noise_parameters_from_db(0.4, polar_deg(0.3, 40), 0.15),
                                    noise_parameters_from_db(1.5, polar_deg(0.6, -120), 0.5),
                                    noise_parameters_from_db(0.8, polar_deg(0.2, 170), 1.0)};
    for (const NoiseParameters& p : sets) {
        for (const C s11 : {C(0, 0), polar_deg(0.5, -60), polar_deg(0.3, 120)}) {
            MeasurementSetup s = amplifier();
            s.dut_gain_db = 40;
            s.reflections = KnownReflections{.source_on = p.gamma_opt,
                                             .source_off = p.gamma_opt,
                                             .s11 = s11,
                                             .s21 = 100,
                                             .noise = p};
            const double expected = db(p.fmin) - db(noise_factor(p, 0));
            EXPECT_LT(expected, -0.05);  // the case says something
            EXPECT_NEAR(source_match_bias_db(s), expected, 0.003) << p.fmin << " " << s11;
        }
    }
}

// Without noise parameters and with a matched DUT input the readings have
// a closed form; the instrument's exact evaluation of them gives the bias.
TEST(KnownReflections, AMatchedDutWithoutNoiseParametersFollowsTheClosedForm) {
    struct Case {
        C on, off;
        double gain_db, tc_k, analyzer_nf_db;
        bool correction;
    };
    const Case cases[] = {
        {polar_deg(0.05, 30), polar_deg(0.12, -80), 15, 290, 11.5, true},
        {polar_deg(0.3, 0), polar_deg(0.05, 90), 10, 300, 8, true},
        {polar_deg(0.02, 0), polar_deg(0.25, 45), 3, 290, 12, true},
        {polar_deg(0.2, -170), polar_deg(0.2, 10), 25, 296, 5, false},
    };
    for (const Case& c : cases) {
        MeasurementSetup s = amplifier();
        s.dut_gain_db = c.gain_db;
        s.tc_k = c.tc_k;
        s.analyzer_nf_db = c.analyzer_nf_db;
        s.second_stage = c.correction;
        s.reflections = KnownReflections{.source_on = c.on, .source_off = c.off, .s21 = 7};
        const double g = 49, e = lin(s.enr_cal_db), th = hot_temperature_k(e), tc = c.tc_k;
        const double td = noise_temperature_k(lin(s.dut_nf_db));
        const double ta = noise_temperature_k(lin(s.analyzer_nf_db));
        const double a_on = 1 - std::norm(c.on), a_off = 1 - std::norm(c.off);
        const double y = (a_on * (th + td) + ta / g) / (a_off * (tc + td) + ta / g);
        const double y_cal = (tc + a_on * (th - tc) + ta) / (tc + ta);
        const double gain = g * (a_on * (th + td) - a_off * (tc + td)) / (a_on * (th - tc));
        const double f_sys = noise_factor_exact(e, y, tc);
        const double f_dut = f_sys - (noise_factor_exact(e, y_cal, tc) - 1) / gain;
        SCOPED_TRACE(testing::Message() << c.on << " " << c.off << " " << c.gain_db);
        EXPECT_NEAR(gum_budget(s).offset_db, db(c.correction ? f_dut : f_sys) - s.dut_nf_db, 1e-10);
        EXPECT_NEAR(source_match_bias_db(s), db(f_dut) - s.dut_nf_db, 1e-10);
        EXPECT_GT(std::fabs(db(f_dut) - s.dut_nf_db), 1e-4);
    }
}

TEST(KnownReflections, TheModelsLnaReadsAboutSixTenthsOfADecibelTooLow) {
    // Only |S11| is given: the bias turns with its phase; at -60 degrees it
    // is the 0.58 dB of the description, the worst phase gives 0.61 dB.
    EXPECT_NEAR(db(measurand_noise_factor(lna(0))), 0.536, 0.001);
    EXPECT_NEAR(source_match_bias_db(lna(-60)), -0.578, 0.002);
    double lowest = 0, highest = 0;
    for (int deg = -180; deg < 180; ++deg) {
        const double e0 = source_match_bias_db(lna(deg));
        lowest = std::min(lowest, e0);
        highest = std::max(highest, e0);
    }
    EXPECT_NEAR(lowest, -0.61, 0.005);
    EXPECT_NEAR(highest, 0.70, 0.005);
}

TEST(KnownReflections, BudgetAndMonteCarloAreTakenAroundTheBiasedPoint) {
    MeasurementSetup s = lna(-60);
    const double e0 = source_match_bias_db(s);
    const Budget b = gum_budget(s);
    ASSERT_TRUE(b.valid);
    EXPECT_DOUBLE_EQ(b.offset_db, e0);
    EXPECT_EQ(find(b, "mismatch_in"), nullptr);
    const MonteCarloResult mc = monte_carlo(s, {.trials = 40000});
    EXPECT_NEAR(mc.mean_db, e0, 0.02);
    EXPECT_NEAR(mc.std_db, b.u_c_db, 0.1 * b.u_c_db);
    EXPECT_LT(mc.interval_hi_db, 0);  // the bias outweighs the scatter
}

TEST(KnownReflections, APadBeforeTheDutShrinksTheBiasAndItsPhaseMovesIt) {
    const double bare = source_match_bias_db(lna(-60));
    MeasurementSetup padded = lna(-60);
    padded.loss_in.loss_db = 6;
    const double pad = source_match_bias_db(padded);
    EXPECT_LT(std::fabs(pad), std::fabs(bare) / 3);
    EXPECT_GT(std::fabs(pad), 1e-3);
    // The same pad from a file: with no phase it is the value's pad;
    // turning its phase turns the reflections the DUT sees.
    const double s21_mag = std::sqrt(1 / lin(6));
    padded.reflections->loss_in_s21 = s21_mag;
    EXPECT_NEAR(source_match_bias_db(padded), pad, 1e-12);
    double lowest = pad, highest = pad;
    for (double deg = 0; deg < 180; deg += 15) {
        padded.reflections->loss_in_s21 = polar_deg(s21_mag, deg);
        const double e0 = source_match_bias_db(padded);
        EXPECT_LT(std::fabs(e0), std::fabs(bare) / 3) << deg;
        lowest = std::min(lowest, e0);
        highest = std::max(highest, e0);
    }
    EXPECT_GT(highest - lowest, 0.05);
}

TEST(KnownReflections, TheSameSourceCalibratingDeliversOnlyWhatItsMatchLetsThrough) {
    // A matched DUT and a source reflecting |Gamma|^2 = 0.09 on and off:
    // the DUT's gain to the source is 0.91 G, which the measured gain and
    // the system noise factor both hold; the calibration reads the
    // analyzer's noise temperature as (Ta + 0.09 Tc) / 0.91, and the
    // correction takes 0.09 Tc / (0.91 G T0) too much off.
    MeasurementSetup s = amplifier();
    s.dut_gain_db = 10;
    s.reflections = reflectionless(s);
    s.reflections->source_on = s.reflections->source_off = polar_deg(0.3, 60);
    const double f = lin(s.dut_nf_db);
    EXPECT_NEAR(source_match_bias_db(s), db(f - 0.09 * s.tc_k / (0.91 * 10 * T0)) - db(f), 1e-9);
    s.meas_source = {.separate = true, .enr_unc_db = 0.1, .gamma = 0.3};
    s.enr_meas_db = s.enr_cal_db;
    EXPECT_NEAR(source_match_bias_db(s), 0, 1e-12);
    // The calibration's own reflection, at another frequency, counts.
    s.meas_source = {};
    s.reflections->source_on_cal = C(0, 0);
    EXPECT_NEAR(source_match_bias_db(s), 0, 1e-12);
}

TEST(KnownReflections, UnphysicalReflectionsAreRefused) {
    const auto with = [](auto change) {
        MeasurementSetup s = lna(0);
        change(*s.reflections, s);
        return reflections_problem(s);
    };
    EXPECT_EQ(with([](KnownReflections&, MeasurementSetup&) {}), "");
    EXPECT_EQ(reflections_problem(amplifier()), "");
    const std::string problems[] = {
        with([](KnownReflections& k, MeasurementSetup&) { k.source_on = 1; }),
        with([](KnownReflections& k, MeasurementSetup&) { k.source_off = C(0, NAN); }),
        with([](KnownReflections& k, MeasurementSetup&) { k.source_on_cal = C(0.8, 0.8); }),
        with([](KnownReflections& k, MeasurementSetup&) { k.s11 = -1.2; }),
        with([](KnownReflections& k, MeasurementSetup&) { k.s21 = 0; }),
        with([](KnownReflections& k, MeasurementSetup&) { k.loss_in_s21 = 1.1; }),
        with([](KnownReflections& k, MeasurementSetup&) { k.noise->fmin = 0.9; }),
        with([](KnownReflections& k, MeasurementSetup&) { k.noise->gamma_opt = 1; }),
        with([](KnownReflections& k, MeasurementSetup&) { k.noise->rn = -0.1; }),
        with([](KnownReflections&, MeasurementSetup& s) {
            s.freq_converting = true;
            s.image.response = true;
        }),
    };
    for (const std::string& p : problems)
        EXPECT_NE(p, "");
    EXPECT_NE(problems[0].find("on reflection 1 at 0 degrees"), std::string::npos) << problems[0];
    // An image response with known reflections gives no result at all.
    MeasurementSetup s = lna(0);
    s.freq_converting = true;
    s.image.response = true;
    EXPECT_TRUE(std::isnan(source_match_bias_db(s)));
}

}  // namespace
}  // namespace orlavex::measure

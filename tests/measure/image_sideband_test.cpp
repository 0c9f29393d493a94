// A frequency-converting DUT with an image response: the readings through
// both input bands, the evaluation with the nominal image ratio, the
// refusal of impossible inputs, and what the image's errors cost.
#include "measure/image_sideband.h"
#include "measure/bench.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "measure/simulation.h"
#include "measure/units.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::measure {
namespace {

using test_support::amplifier;

// A mixer: 6 dB conversion loss, measured with an ENR table that differs
// between the output (calibration) and the input frequency.
MeasurementSetup mixer(SidebandMode mode, double ratio_db) {
    MeasurementSetup s = amplifier();
    s.freq_converting = true;
    s.dut_gain_db = -6;
    s.dut_nf_db = mode == SidebandMode::ssb ? 10 : 7;
    s.enr_cal_db = 14.6;
    s.enr_meas_db = 15.2;
    s.image.response = true;
    s.image.mode = mode;
    s.image.ratio_db = ratio_db;
    return s;
}

// Benches that reach every term of both bands.
std::vector<MeasurementSetup> image_benches(SidebandMode mode) {
    std::vector<MeasurementSetup> out;
    for (const double ratio_db : {-20.0, -6.0, 0.0, 3.0})
        out.push_back(mixer(mode, ratio_db));
    MeasurementSetup lossy = mixer(mode, -3);
    lossy.loss_in = {1.3, 305, 0.05};
    lossy.loss_out = {0.7, 280, 0.04};
    lossy.image.loss_in_db = 2.1;  // the cable loses more at the image frequency
    lossy.image.enr_db = 13.9;
    lossy.tc_k = 300;
    out.push_back(lossy);
    MeasurementSetup separate = lossy;
    separate.meas_source = {true, 0.2, 0.05};
    separate.enr_meas_db = 5.4;
    separate.image.enr_db = 6.1;
    out.push_back(separate);
    MeasurementSetup amplifying = mixer(mode, 0);
    amplifying.dut_gain_db = 25;  // a receiver with an IF amplifier
    out.push_back(amplifying);
    return out;
}

TEST(ImageSideband, WithoutErrorsTheMeasurementGivesTheDutBack) {
    for (const SidebandMode mode : {SidebandMode::ssb, SidebandMode::dsb}) {
        for (const MeasurementSetup& s : image_benches(mode)) {
            EXPECT_NEAR(measurement_error_db(s, {}), 0.0, 1e-12)
                << (mode == SidebandMode::dsb ? "dsb" : "ssb") << " R " << s.image.ratio_db
                << " loss " << s.loss_in.loss_db << " separate " << s.meas_source.separate;
            EXPECT_TRUE(bench_problem(s).empty()) << bench_problem(s);
        }
    }
}

// The source's excess power reaches the output through both bands, each
// through its own loss before the DUT: P4 - P3 = G_sig (Th,s - Tc) / li,s +
// G_sig r (Th,i - Tc) / li,i, so against the DUT without an image it grows
// by 1 + r (Th,i - Tc) li,s / ((Th,s - Tc) li,i).
TEST(ImageSideband, ReadingsCarryTheSourceThroughBothBands) {
    struct Case {
        double ratio_db, enr_image_db, loss_in_db, loss_image_db;
    };
    constexpr Case cases[] = {
        {0, 15.2, 0, 0}, {-6, 15.2, 0, 0}, {3, 12, 0, 0}, {-3, 15.2, 1, 2.5}, {0, 17, 2, 0.5},
    };
    for (const Case& c : cases) {
        MeasurementSetup s = mixer(SidebandMode::ssb, c.ratio_db);
        s.tc_k = T0;
        s.loss_in.loss_db = c.loss_in_db;
        s.image.loss_in_db = c.loss_image_db;
        s.image.enr_db = c.enr_image_db;
        MeasurementSetup alone = s;
        alone.image = {};
        const Readings r = simulate_readings(s, {}), a = simulate_readings(alone, {});
        EXPECT_EQ(r.p1, a.p1);
        EXPECT_EQ(r.p2, a.p2);
        const double ratio = lin(c.ratio_db) * lin(c.enr_image_db) / lin(s.enr_meas_db) *
                             lin(c.loss_in_db) / lin(c.loss_image_db);
        EXPECT_NEAR((r.p4 - r.p3) / (a.p4 - a.p3), 1 + ratio, 1e-12) << c.ratio_db;
    }
}

TEST(ImageSideband, WithoutAResponseTheImageValuesChangeNothing) {
    MeasurementSetup plain = amplifier();
    plain.freq_converting = true;
    plain.loss_in = {1.3, 305, 0.05};
    plain.model.noise_bw_hz = 4e6;
    plain.model.tau_s = 0.01;
    MeasurementSetup ignored = plain;
    ignored.image = {false, SidebandMode::dsb, -3, 0.5, 9.0, 0.3, 4.0};
    ErrorDraw d;
    d.dENR_meas = 0.1;
    d.dL_in = 0.05;
    d.dR = 0.4;
    d.dENR_img = -0.3;
    const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    EXPECT_EQ(bits(measurement_error_db(ignored, d)), bits(measurement_error_db(plain, d)));
    const Budget a = gum_budget(plain), b = gum_budget(ignored);
    ASSERT_EQ(a.lines.size(), b.lines.size());
    for (std::size_t i = 0; i < a.lines.size(); ++i) {
        EXPECT_EQ(a.lines[i].source, b.lines[i].source);
        EXPECT_EQ(bits(a.lines[i].c), bits(b.lines[i].c)) << a.lines[i].source;
    }
    EXPECT_EQ(bits(a.u_c_db), bits(b.u_c_db));
    const MonteCarloResult ma = monte_carlo(plain, {.trials = 5000});
    const MonteCarloResult mb = monte_carlo(ignored, {.trials = 5000});
    EXPECT_EQ(bits(ma.mean_db), bits(mb.mean_db));
    EXPECT_EQ(bits(ma.std_db), bits(mb.std_db));
}

const BudgetLine& line(const Budget& b, std::string_view source) {
    for (const BudgetLine& l : b.lines) {
        if (l.source == source) return l;
    }
    ADD_FAILURE() << "no line " << source;
    return b.lines.front();
}

TEST(ImageSideband, BudgetListsTheImageSources) {
    MeasurementSetup s = mixer(SidebandMode::ssb, -6);
    s.image.ratio_unc_db = 0.8;
    const Budget b = gum_budget(s);
    ASSERT_TRUE(b.valid);
    ASSERT_GE(b.lines.size(), 2u);
    EXPECT_EQ(b.lines[0].source, "enr_cal");
    EXPECT_EQ(b.lines[1].source, "enr_meas");
    EXPECT_EQ(b.lines[b.lines.size() - 2].source, "image_ratio");
    EXPECT_EQ(b.lines.back().source, "enr_image");
    EXPECT_DOUBLE_EQ(line(b, "image_ratio").u, 0.4);
    EXPECT_DOUBLE_EQ(line(b, "enr_image").u, 0.05);  // the measurement ENR's, unset
    s.image.enr_unc_db = 0.3;
    EXPECT_DOUBLE_EQ(line(gum_budget(s), "enr_image").u, 0.15);
    s.meas_source = {true, 0.24, 0.05};
    s.image.enr_unc_db.reset();
    EXPECT_DOUBLE_EQ(line(gum_budget(s), "enr_image").u, 0.12);  // the measurement source's
}

// With the same ENR in both bands the readings see the source through
// 1 + r: in DSB the evaluation's 1 + r0 cancels it, in SSB the result
// moves by -db(1 + r), a sensitivity of -r / (1 + r) dB per dB. The ENR
// errors of the two bands weigh as the two bands' excess powers, 1 to r.
TEST(ImageSideband, SensitivitiesWithTheSameEnrInBothBands) {
    for (const SidebandMode mode : {SidebandMode::ssb, SidebandMode::dsb}) {
        std::vector<MeasurementSetup> setups;
        for (const double ratio_db : {-20.0, -6.0, 0.0, 3.0})
            setups.push_back(mixer(mode, ratio_db));
        MeasurementSetup lossy = mixer(mode, -6);
        lossy.loss_in = {1.3, 305, 0.05};
        lossy.tc_k = 300;
        setups.push_back(lossy);
        MeasurementSetup uncorrected = mixer(mode, 0);
        uncorrected.second_stage = false;
        setups.push_back(uncorrected);
        for (const MeasurementSetup& s : setups) {
            const Budget b = gum_budget(s);
            ASSERT_TRUE(b.valid);
            const double r = lin(s.image.ratio_db);
            const double expected = mode == SidebandMode::dsb ? 0 : -r / (1 + r);
            EXPECT_NEAR(line(b, "image_ratio").c, expected, 1e-6)
                << (mode == SidebandMode::dsb ? "dsb" : "ssb") << " R " << s.image.ratio_db;
            EXPECT_NEAR(line(b, "enr_image").c / line(b, "enr_meas").c, r, 1e-4 * (1 + r))
                << "R " << s.image.ratio_db;
        }
    }
    // The figures engineers quote: 0.2 dB per dB at R = -6 dB, 0.5 at 0 dB.
    EXPECT_NEAR(line(gum_budget(mixer(SidebandMode::ssb, -6)), "image_ratio").c, -0.2, 0.001);
    EXPECT_NEAR(line(gum_budget(mixer(SidebandMode::ssb, 0)), "image_ratio").c, -0.5, 1e-6);
}

TEST(ImageSideband, RefusesAnImpossibleSsbNoiseFigure) {
    struct Case {
        SidebandMode mode;
        double ratio_db, nf_db;
        bool possible;
    };
    // Just below the limit (at it, rounding may fall either side).
    const double at_limit = db(1 + lin(-6)) - 1e-12;
    const Case cases[] = {
        {SidebandMode::ssb, 0, 3.5, true},        {SidebandMode::ssb, 0, 2.9, false},
        {SidebandMode::ssb, -6, at_limit, false}, {SidebandMode::ssb, -6, at_limit + 0.01, true},
        {SidebandMode::ssb, -20, 0.1, true},      {SidebandMode::dsb, 0, 0.05, true},
        {SidebandMode::dsb, 3, 0, false},
    };
    for (const Case& c : cases) {
        MeasurementSetup s = mixer(c.mode, c.ratio_db);
        s.dut_gain_db = 20;
        s.dut_nf_db = c.nf_db;
        const std::string problem = image_problem(s);
        EXPECT_EQ(problem.empty(), c.possible) << c.ratio_db << " " << c.nf_db << ": " << problem;
        EXPECT_EQ(bench_problem(s), problem);
        EXPECT_EQ(std::isnan(measurement_error_db(s, {})), !c.possible) << c.nf_db;
        EXPECT_EQ(gum_budget(s).valid, c.possible) << c.nf_db;
        if (!c.possible) {
            EXPECT_NE(problem.find("single-sideband"), std::string::npos);
        }
    }
}

TEST(ImageSideband, RefusesUnphysicalImageInputs) {
    struct Case {
        void (*spoil)(ImageSideband&);
        std::string_view says;
    };
    const Case cases[] = {
        {[](ImageSideband& i) { i.ratio_db = std::numeric_limits<double>::infinity(); },
         "gain ratio"},
        {[](ImageSideband& i) { i.ratio_unc_db = -0.1; }, "uncertainty of the image"},
        {[](ImageSideband& i) { i.enr_db = std::nan(""); }, "ENR at the image"},
        {[](ImageSideband& i) { i.enr_unc_db = -1; }, "ENR uncertainty at the image"},
        {[](ImageSideband& i) { i.loss_in_db = -0.5; }, "loss before the DUT at the image"},
    };
    for (const Case& c : cases) {
        MeasurementSetup s = mixer(SidebandMode::dsb, 0);
        c.spoil(s.image);
        EXPECT_NE(bench_problem(s).find(c.says), std::string::npos) << bench_problem(s);
        s.image.response = false;  // no image: its values are not looked at
        EXPECT_TRUE(bench_problem(s).empty()) << bench_problem(s);
    }
}

// A receiver (an IF amplifier behind the mixer) whose budget the image
// dominates: a Monte Carlo that did not draw the image's errors would
// scatter less than two thirds as much.
TEST(ImageSideband, MonteCarloAgreesWithTheBudget) {
    for (const SidebandMode mode : {SidebandMode::ssb, SidebandMode::dsb}) {
        MeasurementSetup s = mixer(mode, 0);
        s.dut_gain_db = 25;
        s.image.ratio_unc_db = 1;
        s.image.enr_db = 14.1;  // not the signal band's: DSB feels the ratio too
        s.image.enr_unc_db = 0.3;
        s.loss_in = {0.8, 295, 0.06};
        const Budget b = gum_budget(s);
        ASSERT_TRUE(b.valid);
        const double image_share = line(b, "image_ratio").share + line(b, "enr_image").share;
        EXPECT_GT(image_share, mode == SidebandMode::ssb ? 0.9 : 0.55);
        const MonteCarloResult mc = monte_carlo(s, {.trials = 100000});
        EXPECT_EQ(mc.invalid, 0u);
        EXPECT_NEAR(mc.std_db / b.u_c_db, 1.0, 0.04) << (mode == SidebandMode::dsb ? "dsb" : "ssb");
        EXPECT_NEAR(mc.mean_db, b.offset_db, 0.1 * b.u_c_db);
    }
}

}  // namespace
}  // namespace orlavex::measure
